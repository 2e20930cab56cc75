#pragma once
#include <string>

// A fresh, empty folder for one test; removed with everything in it when the object goes.
// Lives under $TAMBREL_TEST_TMP (set by CTest) or the system's temporary folder.
class Temp_Dir {
public:
    Temp_Dir();
    ~Temp_Dir();
    Temp_Dir(const Temp_Dir&) = delete;
    Temp_Dir& operator=(const Temp_Dir&) = delete;

    // The folder's path, without a trailing "/".
    const std::string& Path() const { return path_; }
    // Path() + "/" + name.
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Whole content of a file ("" when it cannot be read), and writing one.
std::string Read_File(const std::string& path);
void Write_File(const std::string& path, const std::string& content);
