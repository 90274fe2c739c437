#pragma once
#include <string>

// A shared library loaded while the program runs, for what most runs never need: linked in, it and what it
// needs would be mapped at every start-up. Unloaded when this goes.
class TDynamicLibrary {
  public:
    // Loads `fileName`; Loaded() tells whether that worked, Failure() why not.
    explicit TDynamicLibrary(const char* fileName);
    ~TDynamicLibrary();
    TDynamicLibrary(const TDynamicLibrary&) = delete;
    TDynamicLibrary& operator=(const TDynamicLibrary&) = delete;

    bool Loaded() const { return FHandle != nullptr; }
    // Which library, or which of its functions, could not be had, in the loader's words.
    const std::string& Failure() const { return FFailure; }

    // Points `function` at the library's `name`; false (and Failure() says why) when it has none.
    template <typename F> bool Bind(F& function, const char* name) {
        void* address = Symbol(name);
        function = reinterpret_cast<F>(address);
        return address != nullptr;
    }

  private:
    void* Symbol(const char* name);

    std::string FFileName;
    void* FHandle = nullptr;
    std::string FFailure;
};
