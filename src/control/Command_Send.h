#pragma once
#include "acquisition/Http_Settings.h"

#include <string>
#include <vector>

class T_Http_Client;

// Settings of a command client: those of the snapshot client, with a 3 s connect and a 5 s read
// time-out, so a camera that stops answering holds the user-interface thread for a bounded time, and
// no second sending when a kept connection turns out dropped (a reboot or a preset store is sent once).
Http_Settings Command_Http_Settings();

// One GET whose reply is not looked at; every failure of Get is dropped (a command leaves no trace).
void Send_Command(T_Http_Client& client, const std::string& url);

// One GET whose reply is read as text. False when the request failed. Otherwise true, and when the
// body is not empty `lines` is replaced by the body split into lines (one byte per character);
// an empty body leaves `lines` as it was.
bool Query_Command(T_Http_Client& client, const std::string& url, std::vector<std::string>& lines);

// text split into lines: a line ends at CR, LF or CR LF; a final line without an end counts, a
// final end adds no empty line ("a\r\nb\n" -> "a", "b"; "a\n\nb" -> "a", "", "b").
std::vector<std::string> Split_Lines(const std::string& text);
