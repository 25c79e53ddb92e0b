#pragma once

#include <cstdint>
#include <string>

// The machine code from its two inputs, without platform calls.

// 32 upper-case hexadecimal digits: leaf 1's EDX and EAX, then leaf 3's EDX and ECX.
std::string cpuIdTextFrom(uint32_t leaf1Edx, uint32_t leaf1Eax, uint32_t leaf3Edx, uint32_t leaf3Ecx);

// MD5 of "Mirv" + processor text + disk serial + "7orb" as four groups of eight lower-case digits
// joined by "-". The account service stores this identity: it must never change for given inputs.
std::string machineCodeFrom(const std::string& cpuText, const std::string& diskSerial);
