#include "camsim/Camsim_Fault.h"

#include <utility>

namespace {
const std::vector<std::pair<Camsim_Fault, const char*>>& Names()
{
    static const std::vector<std::pair<Camsim_Fault, const char*>> names = {
        {Camsim_Fault::Keep_Alive, "keep-alive"},
        {Camsim_Fault::Close, "close"},
        {Camsim_Fault::Close_Upper, "close-upper"},
        {Camsim_Fault::Silent_Close, "silent-close"},
        {Camsim_Fault::Chunked, "chunked"},
        {Camsim_Fault::No_Length, "no-length"},
        {Camsim_Fault::Short_Body, "short-body"},
        {Camsim_Fault::Continue_100, "continue"},
        {Camsim_Fault::Set_Cookie, "cookie"},
        {Camsim_Fault::Redirect_302, "redirect"},
        {Camsim_Fault::Location_200, "location-200"},
        {Camsim_Fault::Unauthorized_401, "unauthorized"},
        {Camsim_Fault::Not_Found_404, "not-found"},
        {Camsim_Fault::Html_200, "html"},
        {Camsim_Fault::Hang, "hang"},
        {Camsim_Fault::Slow, "slow"},
        {Camsim_Fault::Reset_Mid_Body, "reset"},
        {Camsim_Fault::Multipart_One, "multipart-one"},
        {Camsim_Fault::Multipart_One_Close, "multipart-one-close"},
    };
    return names;
}
}  // namespace

std::string Camsim_Fault_Name(Camsim_Fault fault)
{
    for (const auto& [f, name] : Names())
        if (f == fault)
            return name;
    return "?";
}

std::optional<Camsim_Fault> Camsim_Fault_From_Name(std::string_view name)
{
    for (const auto& [f, n] : Names())
        if (name == n)
            return f;
    return std::nullopt;
}

const std::vector<Camsim_Fault>& Camsim_All_Faults()
{
    static const std::vector<Camsim_Fault> all = [] {
        std::vector<Camsim_Fault> v;
        for (const auto& [f, n] : Names())
            v.push_back(f);
        return v;
    }();
    return all;
}
