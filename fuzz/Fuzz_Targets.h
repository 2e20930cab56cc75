#pragma once
// The bodies of the fuzz targets: each takes any bytes, runs one reader of untrusted input over them and
// checks what must always hold. A broken rule aborts (so libFuzzer keeps the input as a crash). The same
// functions replay the seed corpora and the kept crashing inputs in the ordinary test suite.

#include <cstddef>
#include <cstdint>

// Camera replies: head, interim replies, chunked and sized bodies, fed in pieces of varying size.
void Fuzz_Reply_Parser(const uint8_t* data, std::size_t size);
// URLs as users type them, relative to a previous request.
void Fuzz_Url(const uint8_t* data, std::size_t size);
// Settings files: reading keys, and writing one that then reads back.
void Fuzz_Profile(const uint8_t* data, std::size_t size);
// Numbers typed by users, sent by cameras or read from settings files.
void Fuzz_Numbers(const uint8_t* data, std::size_t size);
// Camera pictures.
void Fuzz_Jpeg(const uint8_t* data, std::size_t size);
