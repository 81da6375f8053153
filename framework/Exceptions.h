#pragma once

#include <exception>
#include <string>

// The one base class of every error the program raises: it carries the text that the default
// error report shows. Subclasses name the kind of failure; their texts are the platform's own.
class Exception : public std::exception {
public:
    explicit Exception(std::wstring message);
    const std::wstring& Message() const { return message_; }
    const char* what() const noexcept override { return narrow_.c_str(); }

private:
    std::wstring message_;
    std::string narrow_;
};

class EConvertError : public Exception { public: using Exception::Exception; }; // "'%s' is not a valid integer value"
class EInOutError : public Exception {
public:
    using Exception::Exception;
}; // "Invalid filename", "File access denied", ...
class EStreamError : public Exception {
public:
    using Exception::Exception;
}; // "Invalid stream operation", short reads
class EReadError : public EStreamError { public: using EStreamError::EStreamError; }; // "Stream read error"
class EWriteError : public EStreamError { public: using EStreamError::EStreamError; }; // "Stream write error"
class EFOpenError : public EStreamError { public: using EStreamError::EStreamError; }; // "Cannot open file \"%s\". %s"
class EFCreateError : public EStreamError {
public:
    using EStreamError::EStreamError;
};                                                                                  // "Cannot create file \"%s\". %s"
class EIniFileException : public Exception { public: using Exception::Exception; }; // "Unable to write to %s"
class EOutOfResources : public Exception { public: using Exception::Exception; }; // a platform object could not be made
class EInvalidOperation : public Exception { public: using Exception::Exception; };
class EOSError : public Exception {
public:
    using Exception::Exception;
}; // a failed platform call, with its system text

// Replaces each "%s" of a platform error text, in order, by the given arguments.
std::wstring FormatMessageText(const std::wstring& pattern, std::initializer_list<std::wstring> args);

// The system's text for an error code of the platform (GetLastError), without the trailing line break.
std::wstring SystemErrorText(unsigned long code);

// Raises EOSError with the text of the last platform error.
[[noreturn]] void RaiseLastOSError();
