#pragma once
// Component streaming: TWriter writes a component with its published properties, the extra
// properties its DefineProperties names, and its children; TReader makes the component again,
// class by class through the class registry. The binary form:
//
//   "KVC1"                                       signature
//   component := class-name name property* 0 component* 0
//   property  := name value                      names are dotted paths into owned objects
//   name      := length byte, UTF-8 bytes
//   value     := kind byte, payload (TStreamValueKind)
//
// The text form of the same stream (ComponentBinaryToText / ComponentTextToBinary):
//
//   TChart Chart1 {
//     Title.Text = "Sales"
//     Legend.Alignment = laBottom
//     Series1.Data = bytes 0A0B…
//     TLineSeries Series1 {
//       Active = false
//     }
//   }
//
// Values: 12, -3, 2.5, "UTF-8 text" (\" \\ \n \r \t \uXXXX), w"wide text", true, false, null,
// identifiers, bytes <hex>, ( value … ) lists and [ { property … } … ] collections.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "framework/PropInfo.h"

namespace fw {

class TStream;
class TComponent;
class TCollection;
class TFiler;
class TReader;
class TWriter;

enum TStreamValueKind : Byte {
  skEnd = 0,         // end of a list, a collection, the properties or the children
  skList = 1,        // values until skEnd
  skInt8 = 2,
  skInt16 = 3,
  skInt32 = 4,
  skInt64 = 5,
  skDouble = 6,
  skString = 7,      // 32-bit byte count, UTF-8
  skWideString = 8,  // 32-bit character count, UTF-16 little-endian
  skIdent = 9,       // a name: an enumeration value or a component link
  skFalse = 10,
  skTrue = 11,
  skBinary = 12,     // 32-bit byte count, bytes
  skCollection = 13, // items (each skList, properties, skEnd) until skEnd
  skNil = 14,
  skExtended = 15    // 10 bytes, x87 extended precision, for values a double cannot hold
};

using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

// What DefineProperties sees: the reader or the writer at work on one instance.
class TFiler : public TObject {
 public:
  explicit TFiler(TStream* Stream) : FStream(Stream) {}
  TStream* Stream() const { return FStream; }
  // The component being read or written at the top of the stream.
  TComponent* Root() const { return FRoot; }
  // There is no form inheritance: values are compared with their defaults, never with an
  // ancestor's, so this is always nullptr.
  TPersistent* Ancestor() const { return nullptr; }

  // An extra property that is not published: the writer calls WriteData when HasData; the
  // reader calls ReadData when the stream holds a property of that name.
  virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                              bool HasData) = 0;
  // The same for raw bytes: WriteData writes them into a stream, ReadData reads them from one.
  virtual void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                    bool HasData) = 0;

 protected:
  TStream* FStream;
  TComponent* FRoot = nullptr;
};

class TWriter : public TFiler {
 public:
  explicit TWriter(TStream* Stream) : TFiler(Stream) {}

  // Signature, Root and everything below it.
  void WriteRootComponent(TComponent* Root);

  void WriteInteger(Int64 Value);
  void WriteFloat(Extended Value);
  void WriteBoolean(bool Value);
  void WriteString(const String& Value);
  void WriteWideString(const WideString& Value);
  void WriteIdent(const String& Value);
  void WriteListBegin();
  void WriteListEnd();

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

 private:
  void WriteComponent(TComponent* Component);
  void WriteProperties(TPersistent* Instance, const String& Prefix);
  void WriteProperty(TPersistent* Instance, const TPropInfo& Prop, const String& Path);
  void WriteCollection(TCollection* Collection);
  void WriteName(const String& Name);
  void WriteKind(TStreamValueKind Kind);

  String FPrefix;  // the path of the object whose DefineProperties runs
};

class TReader : public TFiler {
 public:
  explicit TReader(TStream* Stream) : TFiler(Stream) {}
  ~TReader() override;

  // Reads the signature and one component, made through the class registry with the given
  // owner; its children are made with it as their owner. A link names a component of the read
  // or, failing that, one the owner owns; a handler name, one the root or else the owner
  // publishes. A damaged stream, an unknown class, property, link or handler raises EReadError
  // (EClassNotFound for a class) and frees whatever the read had made, so no half-built
  // component is left behind.
  TComponent* ReadRootComponent(TComponent* Owner);
  // The owner given to ReadRootComponent (nullptr for none).
  TComponent* Owner() const { return FOwner; }

  // The next value's kind without taking it.
  TStreamValueKind NextValue();
  Int64 ReadInteger();
  Extended ReadFloat();
  bool ReadBoolean();
  String ReadString();  // also takes a wide string (converted to UTF-8)
  WideString ReadWideString();  // also takes a string
  String ReadIdent();
  void ReadListBegin();
  bool EndOfList();  // the next value is skEnd
  void ReadListEnd();
  // Reads and drops one value of any kind.
  void SkipValue();

  void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                      bool HasData) override;
  void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                            bool HasData) override;

 private:
  struct TFixup {
    TPersistent* Instance;
    const TPropInfo* Prop;
    String Name;
  };
  TComponent* ReadComponent(TComponent* Parent, int Depth);
  void ReadProperty(TPersistent* Instance, const String& Path);
  void ReadPropValue(TPersistent* Instance, const TPropInfo& Prop, int Depth);
  void ReadCollection(TCollection* Collection, int Depth);
  void ResolveFixups();
  String ReadName();
  TStreamValueKind ReadKind();
  [[noreturn]] void Invalid() const;

  String FPropName;        // the property DefineProperties is asked about
  bool FPropRead = false;  // set when a definition took it
  std::vector<TFixup> FFixups;
  std::vector<TFixup> FMethodFixups;  // handler names, resolved with the links
  TComponent* FOwner = nullptr;
  int FDepth = 0;
};

// The stream's four-byte signature.
inline constexpr char ComponentStreamSignature[4] = {'K', 'V', 'C', '1'};

// Conversion between the binary and the text form (both directions, the whole stream from the
// position). A damaged input raises EReadError (for the text form, with the line number).
void ComponentBinaryToText(TStream* Input, TStream* Output);
void ComponentTextToBinary(TStream* Input, TStream* Output);

}  // namespace fw
