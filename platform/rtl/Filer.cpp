// The binary value format: a type byte, then the value (integers little-endian in the smallest
// of 1, 2 or 4 bytes, strings with a 1- or 4-byte length); property names are short strings and
// an empty name ends a property list.
#include "rtl/Filer.h"

#include <cstdint>
#include <limits>

#include "rtl/Exceptions.h"

namespace {
void SetReading(TPersistent* Instance, bool On)
{
    if (auto* component = dynamic_cast<TComponent*>(Instance))
        component->SetComponentStateFlag(csReading, On);
}

template <class T>
T ReadLittleEndian(TStream* Stream)
{
    unsigned char bytes[sizeof(T)];
    Stream->ReadBuffer(bytes, sizeof(T));
    std::uint32_t value = 0;
    for (size_t i = sizeof(T); i-- > 0;)
        value = (value << 8) | bytes[i];
    return static_cast<T>(value);
}

template <class T>
void WriteLittleEndian(TStream* Stream, T Value)
{
    unsigned char bytes[sizeof(T)];
    auto bits = static_cast<std::uint32_t>(Value);
    for (size_t i = 0; i < sizeof(T); ++i, bits >>= 8)
        bytes[i] = static_cast<unsigned char>(bits & 0xFF);
    Stream->WriteBuffer(bytes, sizeof(T));
}
}  // namespace

void TFiler::DefineBinaryProperty(const String& Name, const TStreamProc& ReadData, const TStreamProc& WriteData,
                                  bool HasData)
{
    DefineProperty(
        Name, ReadData ? TReaderProc([ReadData](TReader* r) { r->ReadBinary(ReadData); }) : TReaderProc(),
        WriteData ? TWriterProc([WriteData](TWriter* w) { w->WriteBinary(WriteData); }) : TWriterProc(), HasData);
}

// ---------------------------------------------------------------------------------------------
// TReader

void TReader::ReadProperties(TPersistent* Instance)
{
    SetReading(Instance, true);
    try {
        for (String name = ReadStr(); !name.empty(); name = ReadStr()) {
            FPropName = name;
            Instance->DefineProperties(this);
            if (!FPropName.empty())
                throw EReadError("Property " + name + " does not exist");
        }
    } catch (...) {
        SetReading(Instance, false);
        throw;
    }
    SetReading(Instance, false);
}

void TReader::DefineProperty(const String& Name, const TReaderProc& ReadData, const TWriterProc&, bool)
{
    if (FPropName.empty() || !SameText(Name, FPropName) || !ReadData)
        return;
    FPropName.clear();
    ReadData(this);
}

TValueType TReader::ReadValue()
{
    unsigned char value = 0;
    FStream->ReadBuffer(&value, 1);
    if (value > vaLString)
        throw EReadError("Invalid property value");
    return static_cast<TValueType>(value);
}

TValueType TReader::NextValue()
{
    const TValueType value = ReadValue();
    FStream->Seek(-1, soCurrent);
    return value;
}

void TReader::CheckValue(TValueType Value)
{
    if (ReadValue() != Value)
        throw EReadError("Invalid property value");
}

void TReader::ReadListBegin() { CheckValue(vaList); }

void TReader::ReadListEnd() { CheckValue(vaNull); }

bool TReader::EndOfList() { return NextValue() == vaNull; }

int TReader::ReadInteger()
{
    switch (ReadValue()) {
    case vaInt8: return ReadLittleEndian<std::int8_t>(FStream);
    case vaInt16: return ReadLittleEndian<std::int16_t>(FStream);
    case vaInt32: return ReadLittleEndian<std::int32_t>(FStream);
    default: throw EReadError("Invalid property value");
    }
}

bool TReader::ReadBoolean()
{
    switch (ReadValue()) {
    case vaTrue: return true;
    case vaFalse: return false;
    default: throw EReadError("Invalid property value");
    }
}

String TReader::ReadString()
{
    std::uint32_t length = 0;
    switch (ReadValue()) {
    case vaString: length = ReadLittleEndian<std::uint8_t>(FStream); break;
    case vaLString: length = ReadLittleEndian<std::uint32_t>(FStream); break;
    default: throw EReadError("Invalid property value");
    }
    if (length > FStream->Size() - FStream->Position())
        throw EReadError("Stream read error");
    String value(length, '\0');
    FStream->ReadBuffer(value.data(), length);
    return value;
}

void TReader::ReadBinary(const TStreamProc& ReadData)
{
    CheckValue(vaBinary);
    const std::uint32_t size = ReadLittleEndian<std::uint32_t>(FStream);
    if (size > FStream->Size() - FStream->Position())
        throw EReadError("Stream read error");
    TMemoryStream block;
    block.SetSize(size);
    FStream->ReadBuffer(block.Memory(), size);
    block.Seek(0, soBeginning);
    ReadData(&block);
}

String TReader::ReadStr()
{
    String value(ReadLittleEndian<std::uint8_t>(FStream), '\0');
    FStream->ReadBuffer(value.data(), static_cast<std::int64_t>(value.size()));
    return value;
}

// ---------------------------------------------------------------------------------------------
// TWriter

void TWriter::WriteProperties(TPersistent* Instance)
{
    Instance->DefineProperties(this);
    WriteStr(String());
}

void TWriter::DefineProperty(const String& Name, const TReaderProc&, const TWriterProc& WriteData, bool HasData)
{
    if (!HasData || !WriteData)
        return;
    WriteStr(Name);
    WriteData(this);
}

void TWriter::WriteValue(TValueType Value) { FStream->WriteBuffer(&Value, 1); }

void TWriter::WriteInteger(int Value)
{
    if (Value >= std::numeric_limits<std::int8_t>::min() && Value <= std::numeric_limits<std::int8_t>::max()) {
        WriteValue(vaInt8);
        WriteLittleEndian(FStream, static_cast<std::int8_t>(Value));
    } else if (Value >= std::numeric_limits<std::int16_t>::min() && Value <= std::numeric_limits<std::int16_t>::max()) {
        WriteValue(vaInt16);
        WriteLittleEndian(FStream, static_cast<std::int16_t>(Value));
    } else {
        WriteValue(vaInt32);
        WriteLittleEndian(FStream, static_cast<std::int32_t>(Value));
    }
}

void TWriter::WriteString(const String& Value)
{
    if (Value.size() <= 255) {
        WriteValue(vaString);
        WriteLittleEndian(FStream, static_cast<std::uint8_t>(Value.size()));
    } else {
        WriteValue(vaLString);
        WriteLittleEndian(FStream, static_cast<std::uint32_t>(Value.size()));
    }
    FStream->WriteBuffer(Value.data(), static_cast<std::int64_t>(Value.size()));
}

void TWriter::WriteBinary(const TStreamProc& WriteData)
{
    TMemoryStream block;
    WriteData(&block);
    WriteValue(vaBinary);
    WriteLittleEndian(FStream, static_cast<std::uint32_t>(block.Size()));
    FStream->WriteBuffer(block.Memory(), block.Size());
}

// Property names are short strings: a longer one cannot be streamed.
void TWriter::WriteStr(const String& Value)
{
    if (Value.size() > 255)
        throw EWriteError("Property name too long: " + Value);
    WriteLittleEndian(FStream, static_cast<std::uint8_t>(Value.size()));
    FStream->WriteBuffer(Value.data(), static_cast<std::int64_t>(Value.size()));
}
