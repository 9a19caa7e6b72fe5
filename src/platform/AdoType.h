#pragma once
// The ADO data-type numbers that column descriptions report. The catalogue maps them to the
// type names the program shows, so every driver describes its columns with these codes.
namespace AdoType {
inline constexpr int Empty = 0;
inline constexpr int SmallInt = 2;
inline constexpr int Integer = 3;
inline constexpr int Single = 4;
inline constexpr int Double = 5;
inline constexpr int Currency = 6;
inline constexpr int Date = 7;
inline constexpr int Boolean = 11;
inline constexpr int Variant = 12;
inline constexpr int TinyInt = 16;
inline constexpr int UnsignedTinyInt = 17;
inline constexpr int BigInt = 20;
inline constexpr int Guid = 72;
inline constexpr int Binary = 128;
inline constexpr int WChar = 130;
inline constexpr int Numeric = 131;
inline constexpr int DbDate = 133;
inline constexpr int DbTime = 134;
inline constexpr int DbTimeStamp = 135;
inline constexpr int VarWChar = 202;
inline constexpr int LongVarWChar = 203;
inline constexpr int VarBinary = 204;
inline constexpr int LongVarBinary = 205;
} // namespace AdoType
