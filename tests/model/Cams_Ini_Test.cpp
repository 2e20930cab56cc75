#include "model/Cams_Ini.h"

#include "platform/Ini_Keys.h"
#include "support/Temp_Dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace {

char Point()
{
    return '.';
}

class Cams_Ini_Test : public testing::Test {
protected:
    void SetUp() override { Set_Ini_Decimal_Separator_Source(&Point); }
    void TearDown() override { Set_Ini_Decimal_Separator_Source(nullptr); }

    Temp_Dir dir;
    const std::string file = dir.File("datas.ini");
};

// The section a fresh read writes for slot.
std::string Default_Section(int slot)
{
    const std::string n = std::to_string(slot);
    return "[CAM" + n +
           "]\n"
           "Valide=1\n"
           "Type_Cam=0\n"
           "Alias=CAM" +
           n +
           "\n"
           "Ad_Ip=" +
           Default_Ad_Ip +
           "\n"
           "Port=8000\n"
           "Login=admin\n"
           "Password=\n"
           "Use_Url=0\n"
           "Special_Url=http://xxx.xxx.xxx.xxx:port...\n"
           "Valide_Record=0\n"
           "K_Detect=50\n"
           "Timer_On=0\n"
           "Timer_Off=0.999988425925926\n";
}

void Expect_Same_Cam(const T_Cam& actual, const T_Cam& expected)
{
    T_Cam a = actual;
    T_Cam e = expected;
    // Reals go through 15 significant digits.
    EXPECT_NEAR(a.Timer_On, e.Timer_On, 1e-14);
    EXPECT_NEAR(a.Timer_Off, e.Timer_Off, 1e-14);
    EXPECT_NEAR(a.K_Detect, e.K_Detect, 1e-12);
    a.Timer_On = e.Timer_On;
    a.Timer_Off = e.Timer_Off;
    a.K_Detect = e.K_Detect;
    EXPECT_EQ(a, e);
}

TEST_F(Cams_Ini_Test, FreshFileGetsEverySectionWithItsDefaults)
{
    T_Cams cams;
    Read_Cams_Ini(file, cams);

    std::string expected;
    for (int slot = 1; slot <= Nb_Slots; ++slot) {
        expected += Default_Section(slot);
        Expect_Same_Cam(cams[slot], Default_Cam(slot));
    }
    EXPECT_EQ(Read_File(file), expected);
}

TEST_F(Cams_Ini_Test, WriteThenReadRestoresEveryField)
{
    T_Cams written;
    for (int slot = 1; slot <= Nb_Slots; ++slot) {
        T_Cam& cam = written[slot];
        cam.Valide = slot % 2 == 0;
        cam.Type_Cam = slot * 3;
        cam.Alias = "Garage " + std::to_string(slot);
        cam.Ad_Ip = "192.168.1." + std::to_string(slot);
        cam.Port = 80 + slot;
        cam.Login = "user";
        cam.Password = "p&ss #" + std::to_string(slot);
        cam.Use_Url = slot == 9;
        cam.Special_Url =
            slot == 9 ? "https://127.0.0.1:8443/snap.jpg?a=1&b=2" : "http://127.0.0.1:8080/snap.jpg?a=1&b=2";
        cam.Cert_Sha256 = slot == 9 ? std::string(64, 'a') : "";
        cam.Valide_Record = slot % 4;
        cam.Timer_On = 0.25;
        cam.Timer_Off = 0.75 + slot / 1000.0;
        cam.K_Detect = 12.5;
    }
    Write_Cams_Ini(file, written);

    T_Cams read;
    Read_Cams_Ini(file, read);
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        Expect_Same_Cam(read[slot], written[slot]);
}

TEST_F(Cams_Ini_Test, TypeCamEditedByHandSurvivesReadAndWrite)
{
    T_Cams cams;
    Read_Cams_Ini(file, cams);
    std::string content = Read_File(file);
    const std::string line = "[CAM3]\nValide=1\nType_Cam=0\n";
    content.replace(content.find(line), line.size(), "[CAM3]\nValide=1\nType_Cam=7\n");
    Write_File(file, content);

    Read_Cams_Ini(file, cams);
    EXPECT_EQ(cams[3].Type_Cam, 7);
    Write_Cams_Ini(file, cams);
    EXPECT_EQ(Read_File(file), content);
}

TEST_F(Cams_Ini_Test, CertificatePinIsReadInAnySpellingAndGoesAwayWithThePin)
{
    const std::string hex = "0123456789abcdef0123456789abcdef0123456789abcdef0123456789abcdef";
    std::string colons;
    for (std::size_t i = 0; i < hex.size(); i += 2)
        colons += (i ? ":" : "") +
                  std::string{static_cast<char>(std::toupper(hex[i])), static_cast<char>(std::toupper(hex[i + 1]))};
    T_Cams cams;
    Read_Cams_Ini(file, cams);
    std::string content = Read_File(file);
    content.insert(content.find("[CAM3]"), "Cert_Sha256=" + colons + "\n");
    content += "Cert_Sha256=not a fingerprint\n";  // in CAM9
    Write_File(file, content);

    Read_Cams_Ini(file, cams);
    EXPECT_EQ(cams[2].Cert_Sha256, hex);
    EXPECT_EQ(cams[9].Cert_Sha256, "not a fingerprint") << "kept as it stands; it pins nothing";
    EXPECT_EQ(cams[1].Cert_Sha256, "");
    EXPECT_EQ(Read_File(file), content) << "reading adds no pin key to any camera";

    cams[2].Cert_Sha256.clear();
    Write_Cams_Ini(file, cams);
    std::string expected = content;
    expected.erase(expected.find("Cert_Sha256=" + colons), std::string("Cert_Sha256=\n").size() + colons.size());
    EXPECT_EQ(Read_File(file), expected);
}

struct Password_Case {
    const char* name;
    const char* typed;
    const char* read_back;
};

class Cams_Ini_Password_Test : public Cams_Ini_Test, public testing::WithParamInterface<Password_Case> {};

TEST_P(Cams_Ini_Password_Test, RoundTrips)
{
    T_Cams cams;
    Read_Cams_Ini(file, cams);
    cams[2].Password = GetParam().typed;
    Write_Cams_Ini(file, cams);
    T_Cams read;
    Read_Cams_Ini(file, read);
    EXPECT_EQ(read[2].Password, GetParam().read_back);
}

INSTANTIATE_TEST_SUITE_P(Cases, Cams_Ini_Password_Test,
                         testing::Values(Password_Case{"Symbols", "a&b=c;d#e[f]", "a&b=c;d#e[f]"},
                                         Password_Case{"InnerBlanks", "two  words", "two  words"},
                                         Password_Case{"OuterBlanksLost", "  padded\t", "padded"},
                                         Password_Case{"EnclosingQuotesLost", "\"quoted\"", "quoted"},
                                         Password_Case{"MismatchedQuotesKept", "'half\"", "'half\""},
                                         Password_Case{"LineBreakIsNotStored", "line\nbreak", ""}),
                         [](const auto& row) { return row.param.name; });

TEST_F(Cams_Ini_Test, MissingSectionIsAddedWhole)
{
    T_Cams cams;
    Read_Cams_Ini(file, cams);
    std::string content = Read_File(file);
    const std::size_t begin = content.find("[CAM5]");
    const std::size_t end = content.find("[CAM6]");
    content.erase(begin, end - begin);
    cams[5].Alias = "stale";
    Write_File(file, content);

    Read_Cams_Ini(file, cams);
    Expect_Same_Cam(cams[5], Default_Cam(5));
    EXPECT_EQ(Read_File(file), content + Default_Section(5));
}

TEST_F(Cams_Ini_Test, WritingKeepsTheOtherContentOfTheFile)
{
    Write_File(file, "; another program's settings\n[Window]\nTop=10\n");
    T_Cams cams;
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        cams[slot] = Default_Cam(slot);
    Write_Cams_Ini(file, cams);
    const std::string content = Read_File(file);
    EXPECT_EQ(content.rfind("; another program's settings\n[Window]\nTop=10\n[CAM1]\n", 0), 0u);
}

TEST_F(Cams_Ini_Test, UnwritableFolderGivesZeroValues)
{
    T_Cams cams;
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        cams[slot] = Default_Cam(slot);
    Read_Cams_Ini(dir.File("no-such-folder/datas.ini"), cams);
    for (int slot = 1; slot <= Nb_Slots; ++slot)
        EXPECT_EQ(cams[slot], T_Cam{}) << "slot " << slot;
}

TEST_F(Cams_Ini_Test, ReadOnlyFolderGivesZeroValues)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the superuser";
    ::chmod(dir.Path().c_str(), 0500);
    T_Cams cams;
    cams[1] = Default_Cam(1);
    Read_Cams_Ini(file, cams);
    ::chmod(dir.Path().c_str(), 0700);
    EXPECT_EQ(cams[1], T_Cam{});
    EXPECT_FALSE(cams[9].Valide);
    EXPECT_EQ(cams[9].Port, 0);
    EXPECT_EQ(cams[9].K_Detect, 0);
    EXPECT_EQ(Read_File(file), "");
}

}  // namespace
