#include "support/Temp_Dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

Temp_Dir::Temp_Dir()
{
    const char* root = std::getenv("TAMBREL_TEST_TMP");
    fs::path base = root && *root ? fs::path(root) : fs::temp_directory_path();
    fs::create_directories(base);
    std::string pattern = (base / "tambrel-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary folder under " + base.string());
    path_ = pattern;
}

Temp_Dir::~Temp_Dir()
{
    std::error_code ec;
    // Folders made read-only by a test must become writable again to be removed.
    for (auto it = fs::recursive_directory_iterator(path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

std::string Read_File(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void Write_File(const std::string& path, const std::string& content)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}
