// libFuzzer entry of Fuzz_Reply_Parser (see Fuzz_Targets.h).
#include "Fuzz_Targets.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Fuzz_Reply_Parser(data, size);
    return 0;
}
