#pragma once

#include <foundation/BufferDynamic.h>

#include <cstdarg>

// Root of the HTTP transfer classes: every transfer object carries a last-error text, which a
// failing operation fills before it returns false, and a response text. Both are set printf-style
// ("%s" a wide string, "%d" a 32-bit int) and replaced whole on every set.
class CUniteBase {
  public:
    CUniteBase() = default;
    virtual ~CUniteBase() = default;

    CUniteBase(const CUniteBase&) = delete;
    CUniteBase& operator=(const CUniteBase&) = delete;

    virtual void init();

    virtual void setLastError(const wchar_t* format, ...);
    virtual const wchar_t* getLastError();
    virtual void clearLastError();
    virtual void setResponse(const wchar_t* format, ...);
    virtual const wchar_t* getResponse();
    virtual void clearResponse();

    // The getters and clearers forward to their lower-case twins through the virtual table; the two
    // setters run the same algorithm themselves, with their own names in their error texts.
    virtual void SetLastError(const wchar_t* format, ...);
    virtual const wchar_t* GetLastError();
    virtual void ClearLastError();
    virtual void SetResponse(const wchar_t* format, ...);
    virtual const wchar_t* GetResponse();
    virtual void ClearResponse();

  protected:
    // Formats into buffer as CBufferDynamic::formatOr does; a format that cannot be counted or
    // formatted leaves a fixed text naming the setter.
    static void setText(CBufferDynamic& buffer, const wchar_t* setterName, const wchar_t* format, va_list args);

    // Members are built in this order and destroyed in reverse: last error first, response second.
    CBufferDynamic m_lastError;
    CBufferDynamic m_response;
};
