#pragma once
#include <stdexcept>
#include <string>

// The one exception family of the system: every failure is one of these, carrying a message for the user.
class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define VMR_EXCEPTION_KIND(Name, Base)                                                                       \
    class Name : public Base {                                                                               \
    public:                                                                                                  \
        using Base::Base;                                                                                    \
    };

VMR_EXCEPTION_KIND(EInvalidGraphic, Exception)
VMR_EXCEPTION_KIND(EResNotFound, Exception)
VMR_EXCEPTION_KIND(EOutOfResources, Exception)
VMR_EXCEPTION_KIND(EStreamError, Exception)
VMR_EXCEPTION_KIND(EReadError, EStreamError)
VMR_EXCEPTION_KIND(EWriteError, EStreamError)
VMR_EXCEPTION_KIND(EFOpenError, EStreamError)
VMR_EXCEPTION_KIND(EFCreateError, EStreamError)
VMR_EXCEPTION_KIND(EComponentError, Exception)
VMR_EXCEPTION_KIND(EPropertyError, Exception)
VMR_EXCEPTION_KIND(EDatabaseError, Exception)
VMR_EXCEPTION_KIND(EConvertError, Exception)
VMR_EXCEPTION_KIND(EInvalidOperation, Exception)
VMR_EXCEPTION_KIND(EListError, Exception)
VMR_EXCEPTION_KIND(EPrinterError, Exception)
