// The text form of component streams (Filer.h), converted value by value in both directions,
// without making any component: the conversion needs no registered class.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "framework/Filer.h"
#include "framework/Streams.h"
#include "framework/SysUtils.h"
#include "platform/kernel/TextConvert.h"

namespace fw {

namespace {

constexpr int MaxNesting = 64;

// Binary to text ------------------------------------------------------------------------------

class TBinaryToText {
 public:
  TBinaryToText(TStream* Input, TStream* Output) : FReader(Input), FIn(Input), FOut(Output) {}

  void Run() {
    char signature[sizeof ComponentStreamSignature] = {};
    if (FIn->Read(signature, sizeof signature) != Integer(sizeof signature) ||
        std::memcmp(signature, ComponentStreamSignature, sizeof signature) != 0)
      throw EReadError("Invalid stream format");
    Component(0);
    FOut->WriteBuffer(FText.data(), Integer(FText.size()));
  }

 private:
  String Name() {
    Byte n = 0;
    FIn->ReadBuffer(&n, 1);
    String s(n, '\0');
    if (n) FIn->ReadBuffer(s.data(), n);
    return s;
  }
  void End() {
    if (FReader.NextValue() != skEnd) throw EReadError("Invalid stream format");
    Byte b;
    FIn->ReadBuffer(&b, 1);
  }
  void Indent(int Level) { FText.append(size_t(Level) * 2, ' '); }

  void Component(int Level) {
    if (Level > MaxNesting) throw EReadError("Invalid stream format");
    String className = Name();
    String name = Name();
    // The names the text form can read back, and the reader accepts.
    if (!IsValidIdent(className) || (!name.empty() && !IsValidIdent(name))) throw EReadError("Invalid stream format");
    Indent(Level);
    FText += className + (name.empty() ? String() : " " + name) + " {\n";
    Properties(Level + 1);
    while (FReader.NextValue() != skEnd) Component(Level + 1);
    End();
    Indent(Level);
    FText += "}\n";
  }

  void Properties(int Level) {
    while (FReader.NextValue() != skEnd) {
      Indent(Level);
      FText += Name() + " = ";
      Value(Level, 0);
      FText += "\n";
    }
    End();
  }

  void Value(int Level, int Depth) {
    if (Depth > MaxNesting) throw EReadError("Invalid stream format");
    switch (FReader.NextValue()) {
      case skEnd: throw EReadError("Invalid stream format");
      case skList:
        FReader.ReadListBegin();
        FText += "(";
        while (!FReader.EndOfList()) {
          FText += " ";
          Value(Level, Depth + 1);
        }
        FReader.ReadListEnd();
        FText += " )";
        break;
      case skCollection: {
        Byte b;
        FIn->ReadBuffer(&b, 1);
        FText += "[\n";
        while (FReader.NextValue() != skEnd) {
          FReader.ReadListBegin();
          Indent(Level + 1);
          FText += "{\n";
          Properties(Level + 2);
          Indent(Level + 1);
          FText += "}\n";
        }
        End();
        Indent(Level);
        FText += "]";
        break;
      }
      case skInt8: case skInt16: case skInt32: case skInt64: FText += IntToStr(FReader.ReadInteger()); break;
      case skDouble: case skExtended: FText += FloatText(FReader.ReadFloat()); break;
      case skString: FText += Quoted(FReader.ReadString()); break;
      case skWideString: FText += "w" + QuotedWide(FReader.ReadWideString()); break;
      case skIdent: FText += FReader.ReadIdent(); break;
      case skFalse: case skTrue: FText += FReader.ReadBoolean() ? "true" : "false"; break;
      case skNil: {
        Byte b;
        FIn->ReadBuffer(&b, 1);
        FText += "null";
        break;
      }
      case skBinary: {
        Byte b;
        FIn->ReadBuffer(&b, 1);
        unsigned char size[4];
        FIn->ReadBuffer(size, 4);
        uint64_t n = size[0] | size[1] << 8 | size[2] << 16 | uint64_t(size[3]) << 24;
        if (Int64(n) > FIn->Size() - FIn->Position()) throw EReadError("Invalid stream format");
        std::string bytes(n, '\0');
        if (n) FIn->ReadBuffer(bytes.data(), Integer(n));
        FText += "<";
        static const char digits[] = "0123456789ABCDEF";
        for (unsigned char c : bytes) {
          FText += digits[c >> 4];
          FText += digits[c & 15];
        }
        FText += ">";
        break;
      }
      default: throw EReadError("Invalid stream format");
    }
  }

  // Enough digits to read back the same number; always with a point or an exponent, so that
  // the text tells floats from integers.
  static String FloatText(Extended v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v < 0 ? "-inf" : "inf";
    char buf[64];
    double d = static_cast<double>(v);
    if (Extended(d) == v)
      std::snprintf(buf, sizeof buf, "%.17g", d);
    else
      std::snprintf(buf, sizeof buf, "%.21Lg", v);
    String s = buf;
    if (s.find_first_of(".e") == String::npos) s += ".0";
    return s;
  }

  static String Quoted(const String& s) {
    const bool utf8 = win::IsValidUtf8(s);
    String out = "\"";
    for (unsigned char c : s) {
      if (c == '"' || c == '\\') {
        out += '\\';
        out += char(c);
      } else if (c == '\n') {
        out += "\\n";
      } else if (c == '\r') {
        out += "\\r";
      } else if (c == '\t') {
        out += "\\t";
      } else if (c < 0x20 || c == 0x7F || (c >= 0x80 && !utf8)) {
        out += Format("\\x%.2x", Int64(c));
      } else {
        out += char(c);
      }
    }
    return out + "\"";
  }

  // Wide texts keep every code unit, paired or not: anything outside printable ASCII is \uXXXX.
  static String QuotedWide(const WideString& s) {
    String out = "\"";
    for (char16_t c : s) {
      if (c == u'"' || c == u'\\') {
        out += '\\';
        out += char(c);
      } else if (c >= 0x20 && c < 0x7F) {
        out += char(c);
      } else {
        out += Format("\\u%.4x", Int64(c));
      }
    }
    return out + "\"";
  }

  TReader FReader;
  TStream* FIn;
  TStream* FOut;
  String FText;
};

// Text to binary ------------------------------------------------------------------------------

class TTextToBinary {
 public:
  TTextToBinary(TStream* Input, TStream* Output) : FWriter(Output), FOut(Output) {
    FText = Input->ReadRemaining();
  }

  void Run() {
    FOut->WriteBuffer(ComponentStreamSignature, sizeof ComponentStreamSignature);
    SkipBlanks();
    Component(0);
    SkipBlanks();
    if (FPos < FText.size()) Error("text after the component");
  }

 private:
  [[noreturn]] void Error(const String& What) const {
    throw EReadError(Format("Component text, line %d: %s", Int64(FLine), What));
  }

  void SkipBlanks() {
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '\n') ++FLine;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++FPos;
    }
  }
  bool At(char c) {
    SkipBlanks();
    return FPos < FText.size() && FText[FPos] == c;
  }
  void Expect(char c) {
    if (!At(c)) Error(Format("\"%s\" expected", String(1, c)));
    ++FPos;
  }
  static bool NameChar(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_' || c == '.';
  }
  // An identifier or a dotted path.
  String Word() {
    SkipBlanks();
    size_t start = FPos;
    while (FPos < FText.size() && NameChar(FText[FPos])) ++FPos;
    if (FPos == start) Error("a name expected");
    return FText.substr(start, FPos - start);
  }
  void WriteName(const String& Name) {
    if (Name.size() > 255) Error("name too long");
    Byte n = Byte(Name.size());
    FOut->WriteBuffer(&n, 1);
    if (n) FOut->WriteBuffer(Name.data(), n);
  }
  void WriteKind(TStreamValueKind Kind) {
    Byte b = Kind;
    FOut->WriteBuffer(&b, 1);
  }

  void Component(int Level) {
    if (Level > MaxNesting) Error("nesting too deep");
    String className = Word();
    String name;
    if (!At('{')) name = Word();
    for (const String& n : {className, name})
      if (!n.empty() && !IsValidIdent(n)) Error(Format("\"%s\" is not a valid component name", n));
    Expect('{');
    WriteName(className);
    WriteName(name);
    bool propertiesEnded = false;
    while (!At('}')) {
      if (FPos >= FText.size()) Error("\"}\" expected");
      size_t mark = FPos;
      int line = FLine;
      String word = Word();
      if (At('=')) {
        if (propertiesEnded) Error("properties come before the children");
        ++FPos;
        WriteName(word);
        Value(Level, 0);
      } else {
        if (!propertiesEnded) WriteKind(skEnd);
        propertiesEnded = true;
        FPos = mark;
        FLine = line;
        Component(Level + 1);
      }
    }
    ++FPos;
    if (!propertiesEnded) WriteKind(skEnd);
    WriteKind(skEnd);
  }

  void Properties(int Level) {
    while (!At('}')) {
      if (FPos >= FText.size()) Error("\"}\" expected");
      WriteName(Word());
      Expect('=');
      Value(Level, 0);
    }
    ++FPos;
    WriteKind(skEnd);
  }

  void Value(int Level, int Depth) {
    if (Depth > MaxNesting) Error("nesting too deep");
    SkipBlanks();
    if (FPos >= FText.size()) Error("a value expected");
    char c = FText[FPos];
    if (c == '(') {
      ++FPos;
      WriteKind(skList);
      while (!At(')')) {
        if (FPos >= FText.size()) Error("\")\" expected");
        Value(Level, Depth + 1);
      }
      ++FPos;
      WriteKind(skEnd);
    } else if (c == '[') {
      ++FPos;
      WriteKind(skCollection);
      while (!At(']')) {
        Expect('{');
        WriteKind(skList);
        Properties(Level + 1);
      }
      ++FPos;
      WriteKind(skEnd);
    } else if (c == '<') {
      ++FPos;
      std::string bytes;
      int high = -1;
      while (true) {
        SkipBlanks();
        if (FPos >= FText.size()) Error("\">\" expected");
        char h = FText[FPos++];
        if (h == '>') break;
        int digit = h >= '0' && h <= '9' ? h - '0' : h >= 'A' && h <= 'F' ? h - 'A' + 10
                    : h >= 'a' && h <= 'f' ? h - 'a' + 10 : -1;
        if (digit < 0) Error("a hexadecimal digit expected");
        if (high < 0) {
          high = digit;
        } else {
          bytes += char(high << 4 | digit);
          high = -1;
        }
      }
      if (high >= 0) Error("an odd number of hexadecimal digits");
      WriteKind(skBinary);
      unsigned char size[4] = {Byte(bytes.size()), Byte(bytes.size() >> 8), Byte(bytes.size() >> 16),
                               Byte(bytes.size() >> 24)};
      FOut->WriteBuffer(size, 4);
      if (!bytes.empty()) FOut->WriteBuffer(bytes.data(), Integer(bytes.size()));
    } else if (c == '"') {
      FWriter.WriteString(QuotedText(false));
    } else if (c == 'w' && FPos + 1 < FText.size() && FText[FPos + 1] == '"') {
      ++FPos;
      QuotedText(true);
      FWriter.WriteWideString(FWide);
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      Number();
    } else {
      String word = Word();
      if (word == "true") FWriter.WriteBoolean(true);
      else if (word == "false") FWriter.WriteBoolean(false);
      else if (word == "null") WriteKind(skNil);
      else if (word == "nan") FWriter.WriteFloat(std::nanl(""));
      else if (word == "inf") FWriter.WriteFloat(HUGE_VALL);
      else FWriter.WriteIdent(word);
    }
  }

  void Number() {
    size_t start = FPos;
    if (FText[FPos] == '-') ++FPos;
    if (FText.compare(FPos, 3, "inf") == 0) {
      FPos += 3;
      FWriter.WriteFloat(-HUGE_VALL);
      return;
    }
    bool isFloat = false;
    while (FPos < FText.size()) {
      char c = FText[FPos];
      if (c == '.' || c == 'e' || c == 'E') isFloat = true;
      else if (!(c >= '0' && c <= '9') && !(isFloat && (c == '+' || c == '-'))) break;
      ++FPos;
    }
    String text = FText.substr(start, FPos - start);
    char* end = nullptr;
    errno = 0;
    if (isFloat) {
      long double v = std::strtold(text.c_str(), &end);
      if (end != text.c_str() + text.size()) Error("a number expected");
      FWriter.WriteFloat(v);
    } else {
      long long v = std::strtoll(text.c_str(), &end, 10);
      if (end != text.c_str() + text.size() || errno == ERANGE) Error("a number expected");
      FWriter.WriteInteger(v);
    }
  }

  // A quoted text after the position; for a wide text the code units go to FWide.
  String QuotedText(bool Wide) {
    ++FPos;
    String out;
    FWide.clear();
    bool typedHigh = false;  // bytes above ASCII typed as they are: UTF-8
    while (true) {
      if (FPos >= FText.size() || FText[FPos] == '\n') Error("unterminated text");
      char c = FText[FPos++];
      if (c == '"') break;
      if (c != '\\') {
        out += c;
        if (static_cast<unsigned char>(c) >= 0x80) typedHigh = true;
        if (Wide) FWide += char16_t(static_cast<unsigned char>(c));
        continue;
      }
      if (FPos >= FText.size()) Error("unterminated text");
      char e = FText[FPos++];
      auto hex = [&](int digits) {
        if (FPos + size_t(digits) > FText.size()) Error("a bad escape");
        unsigned v = 0;
        for (int i = 0; i < digits; ++i) {
          char h = FText[FPos++];
          int d = h >= '0' && h <= '9' ? h - '0' : h >= 'a' && h <= 'f' ? h - 'a' + 10
                  : h >= 'A' && h <= 'F' ? h - 'A' + 10 : -1;
          if (d < 0) Error("a bad escape");
          v = v << 4 | unsigned(d);
        }
        return v;
      };
      char16_t unit = 0;
      switch (e) {
        case 'n': unit = u'\n'; break;
        case 'r': unit = u'\r'; break;
        case 't': unit = u'\t'; break;
        case '"': unit = u'"'; break;
        case '\\': unit = u'\\'; break;
        case 'x': {
          unsigned v = hex(2);
          if (Wide) Error("a bad escape");
          out += char(v);
          continue;
        }
        case 'u': {
          unit = char16_t(hex(4));
          if (Wide) {
            FWide += unit;
          } else {
            out += win::WideToUtf8(std::u16string(1, unit));
          }
          continue;
        }
        default: Error("a bad escape");
      }
      out += char(unit);
      if (Wide) FWide += unit;
    }
    // The writer escapes every unit of a wide text outside ASCII; a text typed by hand may hold
    // UTF-8 instead.
    if (Wide && typedHigh) FWide = win::Utf8ToWide(out);
    return out;
  }

  TWriter FWriter;
  TStream* FOut;
  String FText;
  size_t FPos = 0;
  int FLine = 1;
  WideString FWide;
};

}  // namespace

void ComponentBinaryToText(TStream* Input, TStream* Output) { TBinaryToText(Input, Output).Run(); }

void ComponentTextToBinary(TStream* Input, TStream* Output) { TTextToBinary(Input, Output).Run(); }

}  // namespace fw
