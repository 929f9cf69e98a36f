#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Arithmetic as the editor's rules count it: storing a floating value into an integer rounds
// half to even, integer division truncates, and a value out of a target's range is an error.
namespace num {

long long roundEven(double v);
uint8_t toByte(long long v);  // throws VbError "Overflow" outside 0..255
int16_t toInt16(long long v); // throws VbError "Overflow" outside -32768..32767
long long idiv(long long a, long long b); // truncating; throws "Division by zero"
long long imod(long long a, long long b); // sign of the dividend

// Hexadecimal text, upper case, no prefix; a single digit gets a leading "0".
std::string hex2(long long v);
// The value of hexadecimal text ("&H1F", "1F"); throws "Type mismatch" for text that is none.
long long hexVal(std::string_view text);

} // namespace num
