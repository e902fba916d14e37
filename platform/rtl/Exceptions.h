// The exception classes of the runtime library. Every error the system reports is one of these,
// carrying the system's own message text; EAbort is the silent one that unwinds without a message.
#pragma once

#include <exception>
#include <string>

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : FMessage(std::move(message)) {}
    const std::string& Message() const { return FMessage; }
    void SetMessage(const std::string& message) { FMessage = message; }
    const char* what() const noexcept override { return FMessage.c_str(); }

private:
    std::string FMessage;
};

#define VT_DECLARE_EXCEPTION(Name, Base) \
    class Name : public Base {           \
    public:                              \
        using Base::Base;                \
    }

VT_DECLARE_EXCEPTION(EAbort, Exception);
VT_DECLARE_EXCEPTION(EConvertError, Exception);
VT_DECLARE_EXCEPTION(ERangeError, Exception);
VT_DECLARE_EXCEPTION(EDatabaseError, Exception);
// The file itself stopped the statement (locked by another copy, a full disk, read-only, damaged),
// not the rows it touches.
VT_DECLARE_EXCEPTION(EDatabaseFileError, EDatabaseError);
VT_DECLARE_EXCEPTION(EStreamError, Exception);
VT_DECLARE_EXCEPTION(EFilerError, EStreamError);
VT_DECLARE_EXCEPTION(EReadError, EFilerError);
VT_DECLARE_EXCEPTION(EWriteError, EFilerError);
VT_DECLARE_EXCEPTION(EFOpenError, EStreamError);
VT_DECLARE_EXCEPTION(EFCreateError, EStreamError);
VT_DECLARE_EXCEPTION(EInvalidGraphic, Exception);
VT_DECLARE_EXCEPTION(EInvalidGraphicOperation, Exception);
VT_DECLARE_EXCEPTION(EOutOfResources, Exception);
VT_DECLARE_EXCEPTION(EComboEditError, Exception);
VT_DECLARE_EXCEPTION(EListError, Exception);
VT_DECLARE_EXCEPTION(EStringListError, Exception);
VT_DECLARE_EXCEPTION(EInvalidOperation, Exception);
VT_DECLARE_EXCEPTION(EComponentError, Exception);
VT_DECLARE_EXCEPTION(EVariantError, Exception);
VT_DECLARE_EXCEPTION(EInOutError, Exception);
VT_DECLARE_EXCEPTION(EMathError, Exception);
VT_DECLARE_EXCEPTION(EZeroDivide, EMathError);
VT_DECLARE_EXCEPTION(EOverflow, EMathError);
VT_DECLARE_EXCEPTION(EInvalidArgument, EMathError);
VT_DECLARE_EXCEPTION(EOSError, Exception);
VT_DECLARE_EXCEPTION(EIniFileException, Exception);

#undef VT_DECLARE_EXCEPTION

// Raises the silent EAbort: the caller's operation stops without a message box.
[[noreturn]] void Abort();
