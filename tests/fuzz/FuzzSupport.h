#pragma once

#include <QString>

#include <cstddef>
#include <cstdint>

// Ends the run where a property does not hold, naming it, so that libFuzzer keeps the input.
void Require(bool holds, const char *property);

// The bytes as UTF-16 code units, any of them, lone surrogates included; an odd last byte is
// left out.
QString Utf16Text(const std::uint8_t *data, std::size_t size);
