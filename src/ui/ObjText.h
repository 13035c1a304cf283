// The text form of window definitions and its conversion to and from the
// binary form that TReader loads.
//
// Syntax (keywords and the names True, False, nil and Null ignore letter case):
//
//   object Form1: TForm1            also "inherited" and "inline" (prefix flags);
//     Left = 10                     "object TForm1" gives an object without name;
//     Font.Name = 'MS Sans Serif'   "object B: TButton [2]" stores a child position.
//     object Button1: TButton
//       Caption = 'Scan'
//     end
//   end
//
// Properties come before the child objects. Values:
//   integers     10, -3, $FF; up to 8 hex digits are a 32-bit pattern
//                ($80000005 is the system colour 5), more make a 64-bit integer.
//                The smallest of the 1, 2, 4 and 8 byte forms is written.
//   floats       1.5, -2.5e10, 3.0E-5 (80-bit extended); with a suffix
//                1.5s (single), 1.5d (double), 1.5t (date), 1.5c (currency).
//   strings      'it''s', #13, #$0D, 'a'#13#10'b'; pieces may be joined with
//                '+' across lines. W'abc' (also W#1234'x') marks a wide string.
//   identifiers  clBtnFace, Form1.Button1; True, False, nil and Null get their
//                own value types (Null is not allowed as a list item).
//   sets         [fsBold, fsItalic], []
//   binary       { 0A0B 0c0d } (whitespace anywhere between hex digits); the
//                token @name inserts the bytes the include resolver returns.
//   lists        ( 'one' 'two' 3 )
//   collections  < item Label = 'a' end [5] item end > ([n]: the item's index)
//
// Strings: the text is plain ASCII; every other character is written as #nnn.
//   - Printable ASCII only: vaString (up to 255 bytes) or vaLString.
//   - With any #nnn from 128 to 255 (Windows-1252 bytes): vaUTF8String, the
//     text converted to UTF-8 exactly as TWriter::WriteString does.
//   - With any #nnn above 255, or with the W marker: vaWString. In a wide
//     string every #nnn is a UTF-16 code (#128..#255 are Unicode, not
//     Windows-1252); codes above $FFFF become surrogate pairs.
//
// ObjectBinaryToText writes the canonical form: two-space indentation, wide
// strings with the W marker, characters outside printable ASCII as #nnn,
// strings longer than 64 characters split into pieces joined by '+', binary
// data as lines of 64 hex digits, one list item per line, collection items as
// "item" ... "end", floats as the shortest decimal that reads back to the same
// bytes. Converting that text back gives the same text, and converting any
// definition that TWriter writes to text and back gives the same bytes.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Streams.h"
#include "ui/SysUtils.h"

// A malformed text definition; the message names the line.
class EParserError : public Exception {
  using Exception::Exception;
};

// Returns the bytes that "@name" inserts into binary data (raises on failure).
using TIncludeResolver = std::function<std::vector<uint8_t>(const std::string& name)>;

// Converts a text definition (from input's position to its end) to the
// binary form, appended to output. Raises EParserError on malformed text;
// nothing is written to output then.
void ObjectTextToBinary(TStream& input, TStream& output, const TIncludeResolver& resolve = {});

// Converts one binary definition at input's position to the canonical text,
// appended to output. Raises EReadError on a malformed definition; nothing is
// written to output then.
void ObjectBinaryToText(TStream& input, TStream& output);
