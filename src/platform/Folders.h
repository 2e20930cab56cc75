#pragma once
#include <string>

// Folders of this platform that stand in for the shell folders the program was made for.
// All paths use "/" and are returned without a trailing "/" unless stated.

// The user's local application data folder: $XDG_DATA_HOME or ~/.local/share.
std::string Local_App_Data_Folder();
// The program's data folder, ending in "/": Local_App_Data_Folder() + "/_data_Tambrel/".
std::string Data_Folder();
// The user's pictures folder (~/Pictures or its localised name), or the home folder.
std::string Pictures_Folder();
// The user's home folder.
std::string Home_Folder();

// Creates the folder and every missing parent. True when the folder exists afterwards. Never throws.
bool Create_Folders(const std::string& path);
// True when the path names an existing folder.
bool Folder_Exists(const std::string& path);
