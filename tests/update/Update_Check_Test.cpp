#include "Closed_Port.h"
#include "support/Scripted_Server.h"
#include "update/Link_Label.h"
#include "update/UF_Update.h"
#include "update/Update_Check.h"
#include "update/Update_Prompt_Text.h"

#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace {

const QDate Today(2024, 6, 15);
const std::string Url_Exe = "http://127.0.0.1:1/vesk-soft/Tambrel/Tambrel.exe";
const std::string Ver_Path = "/vesk-soft/Tambrel/Tambrel.ver";

enum class Answer { Yes, No };

std::string Ok(const std::string& body)
{
    return "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(body.size()) + "\r\n\r\n" + body;
}

std::string Default_Text()
{
    return Update_Prompt_Text("Tambrel", "V3.1", "");
}

std::string Other_Version_Text(const std::string& available)
{
    return Update_Prompt_Text("Tambrel", "V3.1", available);
}

// One update check against a server script (none: nothing listens), with a program file
// `age_days` days old at 10:00 and the user answering `answer`; records what the check shows,
// opens and ends, and in `steps` the order of ending ("end") and opening (the address).
struct Check_Run {
    std::vector<std::string> opened;
    std::vector<std::string> steps;
    int prompts = 0;
    std::string prompt_text;
    int ends = 0;
    Update_Check_Outcome outcome;

    Check_Run(const std::optional<Connection_Script>& script, int age_days, Answer answer, bool link_broken = false)
    {
        std::unique_ptr<Scripted_Server> server;
        std::string url_ver = "http://127.0.0.1:" + std::to_string(Closed_Port()) + Ver_Path;
        if (script) {
            server = std::make_unique<Scripted_Server>(std::vector<Connection_Script>{*script});
            url_ver = server->Base_Url() + Ver_Path;
        }
        bool browser_works = !link_broken;
        Link_Label LBL_Update("Get the latest version here ...", nullptr, [&](const std::string& url) {
            opened.push_back(url);
            steps.push_back(url);
            return browser_works;
        });
        LBL_Update.Set_Target(Url_Exe);
        if (link_broken) {
            LBL_Update.Open();  // an earlier click failed: the link is off for the rest of the run
            opened.clear();
        }

        Update_Check_Seams seams;
        seams.Today = [] { return Today; };
        seams.Program_File_Time = [age_days] { return QDateTime(Today.addDays(-age_days), QTime(10, 0)); };
        seams.End_Program = [this] {
            ++ends;
            steps.push_back("end");
        };
        seams.Prompt = [&](TF_Update& form) {
            ++prompts;
            form.show();  // runs FormShow; no modal loop
            prompt_text = form.Prompt_Text();
            QTest::mouseClick(answer == Answer::Yes ? form.BTN_Yes : form.BTN_No, Qt::LeftButton);
            return form.result();
        };
        outcome = Run_Update_Check(nullptr, {"Tambrel", "V3.1", url_ver}, LBL_Update, seams);
    }
};

Connection_Script Serves(const std::string& reply)
{
    return {Step::Read(), Step::Send(reply)};
}

TEST(Run_Update_Check, Prompts_When_Newer_Or_Aged_And_Acts_On_The_Answer)
{
    struct Row {
        const char* name;
        std::optional<Connection_Script> server;
        int age_days;
        Answer answer;
        bool prompted;
        std::string text;  // when prompted
        bool ended;        // the installer opened and the program ended
    };
    const Row rows[] = {
        {"same version, young file: nothing", Serves(Ok("V3.1")), 1, Answer::Yes, false, "", false},
        {"same version, old file: default text", Serves(Ok("V3.1")), 30, Answer::No, true, Default_Text(), false},
        {"newer version accepted", Serves(Ok("V3.2")), 1, Answer::Yes, true, Other_Version_Text("V3.2"), true},
        {"newer version declined", Serves(Ok("V3.2")), 1, Answer::No, true, Other_Version_Text("V3.2"), false},
        {"older version, old file: other-version text", Serves(Ok("V3.0")), 30, Answer::No, true,
         Other_Version_Text("V3.0"), false},
        {"older version, 20-day-old file: nothing", Serves(Ok("V3.0")), 20, Answer::Yes, false, "", false},
        {"older version, 21-day-old file: prompt", Serves(Ok("V3.0")), 21, Answer::No, true, Other_Version_Text("V3.0"),
         false},
        {"comma version is newer", Serves(Ok("V3,2")), 1, Answer::No, true, Other_Version_Text("V3,2"), false},
        {"same value written with a comma: not newer", Serves(Ok("V3,1")), 1, Answer::Yes, false, "", false},
        {"two-byte file", Serves(Ok("V4")), 1, Answer::No, true, Other_Version_Text("V4"), false},
        {"bytes before a reset count",
         Connection_Script{Step::Read(), Step::Send("HTTP/1.1 200 OK\r\nContent-Length: 40\r\n\r\nV3.2"),
                           Step::Pause(50), Step::Reset()},
         1, Answer::No, true, Other_Version_Text("V3.2"), false},
        {"file missing, old program: default text",
         Serves("HTTP/1.1 404 Not Found\r\nContent-Length: 9\r\n\r\nNot Found"), 30, Answer::No, true, Default_Text(),
         false},
        {"unreachable, young file: nothing", std::nullopt, 1, Answer::Yes, false, "", false},
        {"unreachable, old file, accepted", std::nullopt, 30, Answer::Yes, true, Default_Text(), true},
        {"unreachable, old file, declined", std::nullopt, 30, Answer::No, true, Default_Text(), false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Check_Run run(row.server, row.age_days, row.answer);
        EXPECT_EQ(run.prompts, row.prompted ? 1 : 0);
        EXPECT_EQ(run.outcome.Prompted, row.prompted);
        if (row.prompted) {
            EXPECT_EQ(run.prompt_text, row.text);
        }
        EXPECT_EQ(run.opened, row.ended ? std::vector<std::string>{Url_Exe} : std::vector<std::string>{});
        EXPECT_EQ(run.ends, row.ended ? 1 : 0);
        EXPECT_EQ(run.outcome.Ended, row.ended);
        // The program's close sequence (settings written) runs before the download page opens.
        if (row.ended) {
            EXPECT_EQ(run.steps, (std::vector<std::string>{"end", Url_Exe}));
        }
    }
}

TEST(Run_Update_Check, Accepting_After_The_Update_Link_Failed_Opens_Nothing_But_Still_Ends)
{
    const Check_Run run(Serves(Ok("V3.2")), 1, Answer::Yes, /*link_broken=*/true);
    EXPECT_EQ(run.prompts, 1);
    EXPECT_TRUE(run.opened.empty());
    EXPECT_EQ(run.ends, 1);
}

TEST(Run_Update_Check, Default_Clock_And_File_Time_See_A_Freshly_Built_Program)
{
    // The test runner was just built, so it is not aged: with the same version published nothing
    // is shown. Only the prompt is observed; a prompt here would fail the test.
    Scripted_Server server({Serves(Ok("V3.1"))});
    Link_Label LBL_Update("x", nullptr, [](const std::string&) { return true; });
    int prompts = 0;
    Update_Check_Seams seams;
    seams.Prompt = [&](TF_Update&) {
        ++prompts;
        return TF_Update::Result_No;
    };
    const Update_Check_Outcome outcome =
        Run_Update_Check(nullptr, {"Tambrel", "V3.1", server.Base_Url() + Ver_Path}, LBL_Update, seams);
    EXPECT_TRUE(Program_File_Time().isValid());
    EXPECT_FALSE(outcome.Aged);
    EXPECT_EQ(prompts, 0);
}

}  // namespace
