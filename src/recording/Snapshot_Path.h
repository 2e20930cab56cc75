#pragma once
// Where a recorded snapshot goes:
//   Dest_Folder + "/" + camera folder + "/" + yyyy_mm_dd + "/" + "IMG_hh_mm_ss__mmm.jpg"
// with the date and time of the pass's clock reading. No Qt, no file access.

#include "platform/Clock.h"

#include <string>

// Folder name of a camera: Clean_File_Name(alias). A name that would step out of the
// destination folder ("." or "..", e.g. from the alias "..:") counts as empty, so the day folder
// then lands directly in the destination folder, like an alias made only of removed characters.
std::string Camera_Folder_Name(const std::string& alias);

// yyyy_mm_dd, as in 2015_12_12.
std::string Day_Folder_Name(const Local_Date_Time& now);

// True when snapshots may go under dest_folder: an absolute path ("/" first). Snapshots are never
// written under an empty folder (the path would start at the file system's root) nor under a
// relative one (it would depend on the folder the program was started from).
bool Is_Record_Folder(const std::string& dest_folder);

// The request log's note for a snapshot left unwritten because dest_folder is no record folder:
// "NOT RECORDED! DESTINATION FOLDER IS NOT A FULL PATH! | Folder : " "dest_folder".
std::string Not_Recorded_Note(const std::string& dest_folder);

// dest_folder + "/" + Camera_Folder_Name(alias) + "/" + Day_Folder_Name(now), without a final
// "/". dest_folder is used as typed: one that ends with "/" gets a second one (the file system
// reads "//" as one), an empty one gives a path from the root (see Is_Record_Folder).
std::string Snapshot_Folder(const std::string& dest_folder, const std::string& alias, const Local_Date_Time& now);

// "IMG_" + hh + "_" + mm + "_" + ss + "__" + mmm + ".jpg", as in IMG_14_03_07__045.jpg.
std::string Snapshot_File_Name(const Local_Date_Time& now);

// The name a slot's snapshot takes when another slot already wrote file_name in the same pass
// (two aliases with the same folder name): "_" + slot before the extension, as in
// IMG_14_03_07__045_2.jpg. Such names never equal a plain snapshot name, and differ per slot.
std::string Snapshot_File_Name_For_Slot(const std::string& file_name, int slot);
