// Streaming of the properties an object defines itself (DefineProperties): the reader and writer
// of the class library's binary value format, and the filer that hands each defined property its
// read or write procedure.
#pragma once

#include <functional>

#include "rtl/Classes.h"
#include "rtl/Streams.h"

enum TValueType : unsigned char { vaNull, vaList, vaInt8, vaInt16, vaInt32, vaExtended, vaString, vaIdent,
                                  vaFalse, vaTrue, vaBinary, vaSet, vaLString };

class TReader;
class TWriter;
using TReaderProc = std::function<void(TReader* Reader)>;
using TWriterProc = std::function<void(TWriter* Writer)>;
using TStreamProc = std::function<void(TStream* Stream)>;

class TFiler : public TObject {
public:
    explicit TFiler(TStream* Stream) : FStream(Stream) {}
    // The object of the inherited form that the written one is compared with (nullptr: none).
    TPersistent* Ancestor() const { return FAncestor; }
    void SetAncestor(TPersistent* Value) { FAncestor = Value; }
    // A property of this name is read with ReadData or, when HasData, written with WriteData.
    virtual void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                                bool HasData) = 0;
    // A property stored as one block of bytes (vaBinary, its 4-byte size, the bytes): ReadData
    // gets a stream of just that block, WriteData writes the block.
    void DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                              bool HasData);

protected:
    TStream* FStream;

private:
    TPersistent* FAncestor = nullptr;
};

class TReader : public TFiler {
public:
    using TFiler::TFiler;
    // Reads the properties Instance defines, up to the end of its property list; a property the
    // instance does not define raises EReadError. A component is in csReading meanwhile.
    void ReadProperties(TPersistent* Instance);
    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;

    TValueType NextValue();
    void ReadListBegin();
    void ReadListEnd();
    bool EndOfList();
    int ReadInteger();
    bool ReadBoolean();
    String ReadString();
    void ReadBinary(const TStreamProc& ReadData);

private:
    TValueType ReadValue();
    void CheckValue(TValueType Value);
    String ReadStr();
    String FPropName;  // the property being read, empty once a definition took it
};

class TWriter : public TFiler {
public:
    using TFiler::TFiler;
    // Writes the properties Instance defines and the end of its property list.
    void WriteProperties(TPersistent* Instance);
    void DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc& WriteData,
                        bool HasData) override;

    void WriteListBegin() { WriteValue(vaList); }
    void WriteListEnd() { WriteValue(vaNull); }
    void WriteInteger(int Value);
    void WriteBoolean(bool Value) { WriteValue(Value ? vaTrue : vaFalse); }
    void WriteString(const String& Value);
    void WriteBinary(const TStreamProc& WriteData);

private:
    void WriteValue(TValueType Value);
    void WriteStr(const String& Value);
};
