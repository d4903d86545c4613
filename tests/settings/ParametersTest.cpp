#include "settings/Parameters.h"

#include "settings/FormCFGModel.h"
#include "settings/ParameterFile.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace settings_test;

std::string replaced(std::string text, const std::string &from, const std::string &to)
{
    const auto pos = text.find(from);
    EXPECT_NE(pos, std::string::npos) << from;
    if (pos != std::string::npos)
        text.replace(pos, from.size(), to);
    return text;
}

TEST(Parameters, TableHoldsTheTwentyTwoParametersInFileOrder)
{
    const auto &table = ParameterTable();
    std::string keys;
    for (const ParameterDef &p : table)
        keys += std::string(p.key) + "\r\n";
    // The default file lists every key once, in the same order.
    std::string fileKeys;
    std::size_t line = 0;
    for (std::size_t pos = 0; pos < kDefaultFile.size(); ++line) {
        const std::size_t end = kDefaultFile.find("\r\n", pos);
        if (line % 2 == 0)
            fileKeys += kDefaultFile.substr(pos, end + 2 - pos);
        pos = end + 2;
    }
    EXPECT_EQ(keys, fileKeys);

    // Both load coefficients and the concrete's unit weight keep two decimals.
    EXPECT_EQ(FindParameter("RSVCFGMAJCARGAS")->format, "0.00");
    EXPECT_EQ(FindParameter("RSVCFGCONCMIN")->format, "0.00");
    EXPECT_EQ(FindParameter("RSVCFGCONCPESESP")->format, "0.00");
    // The crack check is found under its file key and its control name.
    EXPECT_EQ(FindParameter("RSVFISSOK"), FindParameter("RSVFissOK"));
    EXPECT_EQ(FindParameter("RSVFissOK")->kind, ParameterKind::Option);

    EXPECT_EQ(FormCFGListItems("RSVCFGTIPOACO"), (std::vector<std::string>{ "CA-50", "CA-60" }));
    EXPECT_EQ(FormCFGListItems("RSVCFGBITOUNID"), (std::vector<std::string>{ "mm", "pol" }));
    const auto gauges = FormCFGListItems("RSVBITADOTFISS");
    ASSERT_EQ(gauges.size(), 12u);
    EXPECT_EQ(gauges[3], "8");
}

TEST(Parameters, AMissingFileIsWrittenWithTheDefaultsAndLoaded)
{
    TempDir dir;
    auto ctx = makeContext();
    const ParameterFile file = ParameterFile::inFolder(dir.path());

    const ParametersStatus status = LoadParameters(*ctx, file);
    EXPECT_TRUE(status.ok()) << status.error.description << status.warning;
    EXPECT_EQ(readFile(file.path()), kDefaultFile);

    const FormModel &form = ctx->forms.FormCFG;
    EXPECT_EQ(form.text("RSVCFGESPMULT"), "2,5"); // the window shows the regional symbol
    EXPECT_EQ(form.text("RSVABMAXFISS"), "0,3");
    EXPECT_EQ(form.text("RSVCFGCONCFCK"), "150");
    EXPECT_EQ(form.text("RSVH20PESESP"), "1");
    EXPECT_EQ(form.state("RSVCFGTIPOACO"), 0); // "CA-50"
    EXPECT_EQ(form.state("RSVCFGBITOUNID"), 0); // "mm"
    EXPECT_EQ(form.state("RSVBITADOTFISS"), 3);
    EXPECT_EQ(form.state("RSVFissOK"), 1);
    EXPECT_EQ(form.state("RSVFissNOK"), 0);
}

TEST(Parameters, SavingAChangedValueRewritesOnlyItsLine)
{
    TempDir dir;
    auto ctx = makeContext();
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    writeFile(file.path(), "NameCAD\r\nAutoCAD\r\n" + kDefaultFile);
    ASSERT_TRUE(LoadParameters(*ctx, file).ok());

    ctx->forms.FormCFG.setText("RSVCFGCONCFCK", "200");
    const ParametersStatus status = SaveParameters(*ctx, file);
    ASSERT_TRUE(status.ok()) << status.error.description << status.warning;
    // The crack check is saved as the option's own value, -1, where the defaults wrote 1.
    const std::string saved = replaced(kDefaultFile, "RSVFISSOK\r\n1", "RSVFISSOK\r\n-1");
    EXPECT_EQ(readFile(file.path()),
              "NameCAD\r\nAutoCAD\r\n"
                      + replaced(saved, "RSVCFGCONCFCK\r\n150", "RSVCFGCONCFCK\r\n200"));
    EXPECT_EQ(ctx->forms.FormCFG.text("RSVCFGCONCFCK"), "200");

    // Saved again with fck back at 150, the file differs from the first save in that line only.
    ctx->forms.FormCFG.setText("RSVCFGCONCFCK", "150");
    ASSERT_TRUE(SaveParameters(*ctx, file).ok());
    EXPECT_EQ(readFile(file.path()), "NameCAD\r\nAutoCAD\r\n" + saved);
}

TEST(Parameters, AFileOfCadKeysOnlyGetsTheDefaultsAppended)
{
    TempDir dir;
    auto ctx = makeContext();
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    const std::string cad =
            "NameCAD\r\nAutoCAD\r\nPathCAD\r\n/opt/acad/acad.exe\r\nCADver\r\n1\r\n";
    writeFile(file.path(), cad);

    bool present = true;
    ASSERT_TRUE(ParametersPresent(file, present).ok());
    EXPECT_FALSE(present);
    EXPECT_TRUE(LoadParameters(*ctx, file).ok());
    EXPECT_EQ(readFile(file.path()), cad + kDefaultFile);
}

TEST(Parameters, CrackCheckRoundTrip)
{
    TempDir dir;
    auto ctx = makeContext();
    FormModel &form = ctx->forms.FormCFG;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    ASSERT_TRUE(LoadParameters(*ctx, file).ok());

    // The option's value is saved as -1 (set) or 0; the complement is never written again.
    const struct
    {
        int okState;
        const char *saved;
    } cases[] = { { 0, "0" }, { 1, "-1" } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.saved);
        form.setState("RSVFissOK", c.okState);
        form.setState("RSVFissNOK", 1 - c.okState);
        ASSERT_TRUE(SaveParameters(*ctx, file).ok());
        std::string value;
        ASSERT_TRUE(file.GetFileSetting("RSVFISSOK", value).ok());
        EXPECT_EQ(value, c.saved);
        ASSERT_TRUE(file.GetFileSetting("RSVFISSNOK", value).ok());
        EXPECT_EQ(value, "0");

        // Loaded into a fresh working copy.
        auto other = makeContext();
        ASSERT_TRUE(LoadParameters(*other, file).ok());
        EXPECT_EQ(other->forms.FormCFG.state("RSVFissOK"), c.okState);
        EXPECT_EQ(other->forms.FormCFG.state("RSVFissNOK"), 1 - c.okState);
    }
}

TEST(Parameters, ValuesReadBackUnderAnyRegionalSettings)
{
    TempDir dir;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    auto ptBR = makeContext(true);
    ASSERT_TRUE(LoadParameters(*ptBR, file).ok());

    // Typed with a comma; two decimals kept by both load coefficients.
    ptBR->forms.FormCFG.setText("RSVCFGMAJCARGAS", "1,45");
    ptBR->forms.FormCFG.setText("RSVCFGCONCMIN", "1,35");
    ptBR->forms.FormCFG.setText("RSVCFGCONCPESESP", "2,45");
    ptBR->forms.FormCFG.setText("RSVCFGCOBMIN", "2,54"); // one decimal: 2.5
    ASSERT_TRUE(SaveParameters(*ptBR, file).ok());
    std::string value;
    ASSERT_TRUE(file.GetFileSetting("RSVCFGMAJCARGAS", value).ok());
    EXPECT_EQ(value, "1.45");
    ASSERT_TRUE(file.GetFileSetting("RSVCFGCONCPESESP", value).ok());
    EXPECT_EQ(value, "2.45");
    EXPECT_EQ(ptBR->forms.FormCFG.text("RSVCFGMAJCARGAS"), "1,45");
    EXPECT_EQ(ptBR->forms.FormCFG.text("RSVCFGCOBMIN"), "2,5");

    auto enUS = makeContext(false);
    ASSERT_TRUE(LoadParameters(*enUS, file).ok());
    EXPECT_EQ(enUS->forms.FormCFG.text("RSVCFGMAJCARGAS"), "1.45");
    EXPECT_EQ(enUS->forms.FormCFG.text("RSVCFGCONCMIN"), "1.35");
    EXPECT_EQ(enUS->forms.FormCFG.text("RSVCFGCONCPESESP"), "2.45");

    // A file written by hand with commas reads the same.
    writeFile(file.path(), replaced(kDefaultFile, "RSVCFGCOBMIN\r\n1.5", "RSVCFGCOBMIN\r\n2,5"));
    ASSERT_TRUE(LoadParameters(*enUS, file).ok());
    EXPECT_EQ(enUS->forms.FormCFG.text("RSVCFGCOBMIN"), "2.5");
}

TEST(Parameters, MissingOrUnreadableValuesLoadTheirDefaultsWithAWarning)
{
    TempDir dir;
    auto ctx = makeContext();
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    // fck is fine; the reference gauge is past the end of its list, the cover is not a number
    // and the water's unit weight is blank; every other parameter is missing.
    const std::string content = "RSVCFGCONCFCK\r\n 200 \r\nRSVBITADOTFISS\r\n15\r\n"
                                "RSVCFGCOBMIN\r\n1,5,0\r\nRSVH20PESESP\r\n  \r\n";
    writeFile(file.path(), content);

    const ParametersStatus status = LoadParameters(*ctx, file);
    EXPECT_TRUE(status.error.ok());
    for (const char *key :
         { "RSVBITADOTFISS", "RSVCFGCOBMIN", "RSVH20PESESP", "RSVCFGACOMIN", "RSVFISSOK" })
        EXPECT_NE(status.warning.find(key), std::string::npos) << key;
    EXPECT_EQ(status.warning.find("RSVCFGCONCFCK"), std::string::npos);
    EXPECT_EQ(status.warning.find("RSVFISSNOK"), std::string::npos);

    const FormModel &form = ctx->forms.FormCFG;
    EXPECT_EQ(form.text("RSVCFGCONCFCK"), "200");
    EXPECT_EQ(form.state("RSVBITADOTFISS"), 3);
    EXPECT_EQ(form.text("RSVCFGCOBMIN"), "1,5");
    EXPECT_EQ(form.text("RSVH20PESESP"), "1");
    EXPECT_EQ(form.text("RSVCFGACOMIN"), "1,15");
    EXPECT_EQ(form.state("RSVFissOK"), 1);
    EXPECT_EQ(readFile(file.path()), content); // loading never writes a file that has values
}

TEST(Parameters, AnUnusableFileLeavesTheDefaultsInMemoryWithoutLooping)
{
    const struct
    {
        const char *what;
        bool folderIsFile; // else a folder stands where the file should be
        std::int32_t number;
    } cases[] = { { "defaults cannot be written", true, 76 },
                  { "file cannot be read", false, 75 } };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        fs::path folder = dir.path();
        if (c.folderIsFile) {
            folder = dir / "notafolder";
            writeFile(folder, "x");
        } else {
            fs::create_directory(dir / "Reservium.cfg");
        }
        const ParameterFile file = ParameterFile::inFolder(folder);
        auto ctx = makeContext();
        ctx->forms.FormCFG.setText("RSVCFGCONCFCK", "");
        ctx->forms.FormCFG.setState("RSVBITADOTFISS", -1);

        const ParametersStatus status = LoadParameters(*ctx, file);
        EXPECT_EQ(status.error.number, c.number);
        EXPECT_NE(status.error.description.find("padrão estão em uso somente nesta sessão"),
                  std::string::npos);
        EXPECT_EQ(ctx->forms.FormCFG.text("RSVCFGCONCFCK"), "150");
        EXPECT_EQ(ctx->forms.FormCFG.state("RSVBITADOTFISS"), 3);

        // Restoring the defaults reports the same failure and shows the defaults too.
        EXPECT_EQ(RestoreDefaultParameters(*ctx, file).error.number, c.number);
    }
}

TEST(Parameters, AFailedSaveKeepsTheUsersValuesAndTheFile)
{
    TempDir dir;
    auto ctx = makeContext();
    FormModel &form = ctx->forms.FormCFG;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    ASSERT_TRUE(LoadParameters(*ctx, file).ok());

    // A value that is not a number is refused before anything is written.
    form.setText("RSVCFGCONCFCK", "2O0");
    ParametersStatus status = SaveParameters(*ctx, file);
    EXPECT_EQ(status.error.number, 13);
    EXPECT_NE(status.error.description.find("fck"), std::string::npos);
    EXPECT_EQ(readFile(file.path()), kDefaultFile);
    EXPECT_EQ(form.text("RSVCFGCONCFCK"), "2O0");

    // A file that cannot be replaced: the edits stay in the window to be saved again.
    form.setText("RSVCFGCONCFCK", "200");
    fs::remove(file.path());
    fs::create_directory(file.path());
    status = SaveParameters(*ctx, file);
    EXPECT_EQ(status.error.number, 75);
    EXPECT_EQ(form.text("RSVCFGCONCFCK"), "200");
}

} // namespace
