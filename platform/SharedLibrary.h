#pragma once
#include <string>

// A shared library loaded at run time, for what only some runs need: linked into the program it would be
// mapped, with everything it needs, at every start-up.
class TSharedLibrary {
  public:
    // Loads `fileName`; when it cannot, Loaded() is false and Failure() says what the loader said.
    explicit TSharedLibrary(const char* fileName);
    ~TSharedLibrary();
    TSharedLibrary(const TSharedLibrary&) = delete;
    TSharedLibrary& operator=(const TSharedLibrary&) = delete;

    bool Loaded() const { return FHandle != nullptr; }
    const std::string& FileName() const { return FFileName; }
    const std::string& Failure() const { return FFailure; }

    // Sets `function` to the library's function `name`; false, with Failure() saying why, when there is none.
    template <typename F> bool Bind(F& function, const char* name) {
        void* address = Symbol(name);
        function = reinterpret_cast<F>(address);
        return address != nullptr;
    }

  private:
    void* Symbol(const char* name);

    std::string FFileName;
    std::string FFailure;
    void* FHandle = nullptr;
};
