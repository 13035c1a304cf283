// Exceptions and small text helpers of the component layer.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

// Base of every error raised by the component layer and the program.
class Exception : public std::runtime_error {
public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
  // The message text, as the platform's exceptions carry it.
  std::string Message() const { return what(); }
};

class EStreamError : public Exception {
  using Exception::Exception;
};
class EReadError : public EStreamError {
  using EStreamError::EStreamError;
};
class EWriteError : public EStreamError {
  using EStreamError::EStreamError;
};
class EFOpenError : public EStreamError {
  using EStreamError::EStreamError;
};
class EStringListError : public Exception {
  using Exception::Exception;
};
class EListError : public Exception {
  using Exception::Exception;
};
class EConvertError : public Exception {
  using Exception::Exception;
};
class EClassNotFound : public EReadError {
  using EReadError::EReadError;
};
class EComponentError : public Exception {
  using Exception::Exception;
};
class EInvalidOperation : public Exception {
  using Exception::Exception;
};
class EOutOfResources : public Exception {
  using Exception::Exception;
};

// The platform's messages, in this build's language (Windows-1252 text).
namespace Msg {
extern const char* const DuplicateString;  // "La liste de chaînes n'autorise pas les doublons"
extern const char* const ListIndexError;   // list index out of bounds (%d)
extern const char* const SortedListError;  // operation not allowed on a sorted list
extern const char* const ReadError;        // stream read error
extern const char* const WriteError;       // stream write error
extern const char* const InvalidImage;     // invalid stream format
extern const char* const InvalidPropertyValue;
extern const char* const UnknownProperty;  // property %s does not exist
extern const char* const ClassNotFound;    // class %s not found
extern const char* const AssignError;      // cannot assign %s to %s
extern const char* const FOpenError;       // cannot open file %s
extern const char* const DuplicateName;    // a component named %s already exists
}  // namespace Msg

// printf-style formatting into a std::string.
std::string Format(const char* fmt, ...);

// Text helpers working on single-byte (Windows-1252) strings.
std::string IntToStr(long long value);
// Whole-text integer conversion; false when the text is not a plain integer.
bool TryStrToInt(const std::string& text, int32_t& value);
// Windows-1252 upper and lower case of one byte / of a text.
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
std::string AnsiUpperCase(const std::string& s);
std::string AnsiLowerCase(const std::string& s);
// Comparison without regard to letter case (Windows-1252 letters included).
int AnsiCompareText(const std::string& a, const std::string& b);
bool SameText(const std::string& a, const std::string& b);
// Appends "\" unless the text is empty or already ends with one.
std::string AddTrailingBackslash(const std::string& path);

// Conversions between this build's code page (Windows-1252) and Unicode.
std::u16string AnsiToWide(const std::string& s);
std::string WideToAnsi(const std::u16string& s);
std::string Utf8ToAnsi(const std::string& s);
std::string AnsiToUtf8(const std::string& s);
