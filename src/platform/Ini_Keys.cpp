#include "platform/Ini_Keys.h"

#include "platform/Ini_Values.h"
#include "platform/Private_Profile.h"
#include "platform/Regional.h"

#include <atomic>

namespace {

std::atomic<Decimal_Separator_Source> separator_source{&Regional_Decimal_Separator};

char Current_Separator()
{
    try {
        return separator_source.load()();
    } catch (...) {
        return '.';
    }
}

// The key's text, after writing default_text when the key is missing; nothing on any failure.
std::optional<std::string> Read_Or_Complete(const std::string& file, const std::string& section, const std::string& key,
                                            const std::string& default_text)
{
    Profile_Value read = Read_Private_Profile(file, section, key);
    if (read.status == Profile_Status::Missing) {
        if (!Write_Private_Profile_String(file, section, key, default_text))
            return std::nullopt;
        read = Read_Private_Profile(file, section, key);
    }
    if (read.status != Profile_Status::Found)
        return std::nullopt;
    return std::move(read.value);
}

}  // namespace

std::optional<std::string> Ini_Read_Optional_String(const std::string& file, const std::string& section,
                                                    const std::string& key)
{
    try {
        Profile_Value read = Read_Private_Profile(file, section, key);
        if (read.status != Profile_Status::Found)
            return std::nullopt;
        return std::move(read.value);
    } catch (...) {
        return std::nullopt;
    }
}

int32_t Ini_Read_Int(const std::string& file, const std::string& section, const std::string& key, int32_t default_value)
{
    try {
        const auto text = Read_Or_Complete(file, section, key, Ini_Int_To_Text(default_value));
        return text ? Ini_Int_From_Text(*text) : 0;
    } catch (...) {
        return 0;
    }
}

bool Ini_Read_Bool(const std::string& file, const std::string& section, const std::string& key, bool default_value)
{
    try {
        const auto text = Read_Or_Complete(file, section, key, Ini_Bool_To_Text(default_value));
        return text ? Ini_Bool_From_Text(*text) : false;
    } catch (...) {
        return false;
    }
}

double Ini_Read_Float(const std::string& file, const std::string& section, const std::string& key, double default_value)
{
    try {
        const char separator = Current_Separator();
        const auto text = Read_Or_Complete(file, section, key, Ini_Float_To_Text(default_value, separator));
        return text ? Ini_Float_From_Text(*text, separator) : 0.0;
    } catch (...) {
        return 0.0;
    }
}

std::string Ini_Read_String(const std::string& file, const std::string& section, const std::string& key,
                            const std::string& default_value)
{
    try {
        return Read_Or_Complete(file, section, key, default_value).value_or(std::string());
    } catch (...) {
        return {};
    }
}

bool Ini_Write_Int(const std::string& file, const std::string& section, const std::string& key, int32_t value)
{
    try {
        return Write_Private_Profile_String(file, section, key, Ini_Int_To_Text(value));
    } catch (...) {
        return false;
    }
}

bool Ini_Write_Bool(const std::string& file, const std::string& section, const std::string& key, bool value)
{
    try {
        return Write_Private_Profile_String(file, section, key, Ini_Bool_To_Text(value));
    } catch (...) {
        return false;
    }
}

bool Ini_Write_Float(const std::string& file, const std::string& section, const std::string& key, double value)
{
    try {
        return Write_Private_Profile_String(file, section, key, Ini_Float_To_Text(value, Current_Separator()));
    } catch (...) {
        return false;
    }
}

bool Ini_Write_String(const std::string& file, const std::string& section, const std::string& key,
                      const std::string& value)
{
    try {
        return Write_Private_Profile_String(file, section, key, value);
    } catch (...) {
        return false;
    }
}

bool Ini_Delete_Key(const std::string& file, const std::string& section, const std::string& key)
{
    try {
        return Write_Private_Profile_String(file, section, key, std::nullopt);
    } catch (...) {
        return false;
    }
}

void Set_Ini_Decimal_Separator_Source(Decimal_Separator_Source source)
{
    separator_source.store(source ? source : &Regional_Decimal_Separator);
}
