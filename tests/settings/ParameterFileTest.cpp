#include "settings/ParameterFile.h"

#include "SettingsTestSupport.h"

#include <gtest/gtest.h>

#include <sys/resource.h>

#include <csignal>

namespace {

using namespace settings_test;

std::string get(const ParameterFile &file, const std::string &key)
{
    std::string value;
    EXPECT_TRUE(file.GetFileSetting(key, value).ok());
    return value;
}

std::size_t entriesIn(const fs::path &folder)
{
    return static_cast<std::size_t>(
            std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

TEST(ParameterFile, ReadsTheValueAfterTheFirstMatchingKeyLine)
{
    TempDir dir;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    EXPECT_EQ(file.path(), dir / "Reservium.cfg");

    // No file yet: every key reads empty, and that is not an error.
    EXPECT_EQ(get(file, "RSVCFGCONCFCK"), "");

    writeFile(file.path(),
              "NameCAD\r\nAutoCAD\r\n"
              "  RSVCFGCONCFCK   \r\n150 \r\n" // blanks around the key line, kept on the value
              "RSVCFGCONCFCK\r\n200\r\n" // a duplicate: the first one wins
              "rsvcfgcobmin\r\n9\r\n" // keys are case-sensitive
              "PathCAD\r\n");
    EXPECT_EQ(get(file, "RSVCFGCONCFCK"), "150 ");
    EXPECT_EQ(get(file, "NameCAD"), "AutoCAD");
    EXPECT_EQ(get(file, "RSVCFGCOBMIN"), "");
    EXPECT_EQ(get(file, "PathCAD"), ""); // key on the last line, no value line

    // A file edited with another program's line ends reads the same.
    writeFile(file.path(), "CADver\n2\rNameCAD\r\nIntelliCAD 98");
    EXPECT_EQ(get(file, "CADver"), "2");
    EXPECT_EQ(get(file, "NameCAD"), "IntelliCAD 98");
}

TEST(ParameterFile, SavingRewritesOnlyTheValueLinesOfItsKey)
{
    TempDir dir;
    const ParameterFile file = ParameterFile::inFolder(dir.path());

    // No file: the key and its value, with CR LF.
    ASSERT_TRUE(file.SaveFileSetting("NameCAD", "AutoCAD").ok());
    EXPECT_EQ(readFile(file.path()), "NameCAD\r\nAutoCAD\r\n");

    // A new key is appended; an existing one keeps its place.
    ASSERT_TRUE(file.SaveFileSetting("PathCAD", "/opt/cad/acad").ok());
    ASSERT_TRUE(file.SaveFileSetting("NameCAD", "AutoCAD 2000").ok());
    EXPECT_EQ(readFile(file.path()), "NameCAD\r\nAutoCAD 2000\r\nPathCAD\r\n/opt/cad/acad\r\n");

    // A key present twice: the value after the last occurrence is written, as is the one after
    // the first, which is the one read back; every other line stays where it was.
    writeFile(file.path(), "A\r\n1\r\nKEY \r\nold1\r\nB\r\n2\r\nKEY\r\nold2\r\nC\r\n3\r\n");
    ASSERT_TRUE(file.SaveFileSetting("KEY", "new").ok());
    EXPECT_EQ(readFile(file.path()), "A\r\n1\r\nKEY \r\nnew\r\nB\r\n2\r\nKEY\r\nnew\r\nC\r\n3\r\n");
    EXPECT_EQ(get(file, "KEY"), "new");

    // A key on the last line without its value gets the value after it.
    writeFile(file.path(), "A\r\n1\r\nKEY");
    ASSERT_TRUE(file.SaveFileSetting("KEY", "v").ok());
    EXPECT_EQ(readFile(file.path()), "A\r\n1\r\nKEY\r\nv\r\n");

    // Nothing but the file is left in the folder.
    EXPECT_EQ(entriesIn(dir.path()), 1u);
}

TEST(ParameterFile, AFailedWriteLeavesTheOldFileAndSaysWhy)
{
    // Root ignores permissions, so the failures are made by the file system itself.
    {
        SCOPED_TRACE("the program's folder is a regular file");
        TempDir dir;
        writeFile(dir / "notafolder", "x");
        const ParameterFile file = ParameterFile::inFolder(dir / "notafolder");
        const ErrorPair e = file.SaveFileSetting("RSVCFGCONCFCK", "200");
        EXPECT_EQ(e.number, 76);
        EXPECT_NE(e.description.find(file.path().string()), std::string::npos);
        EXPECT_NE(e.description.find("não foi alterado"), std::string::npos);
        EXPECT_EQ(readFile(dir / "notafolder"), "x");
    }
    {
        SCOPED_TRACE("a folder stands where the file should be");
        TempDir dir;
        const ParameterFile file = ParameterFile::inFolder(dir.path());
        fs::create_directory(file.path());
        writeFile(file.path() / "inside", "kept");
        std::string value = "stale";
        const ErrorPair read = file.GetFileSetting("RSVCFGCONCFCK", value);
        EXPECT_EQ(read.number, 75);
        EXPECT_NE(read.description.find("Não foi possível ler"), std::string::npos);
        EXPECT_EQ(value, "");
        EXPECT_EQ(file.SaveFileSetting("RSVCFGCONCFCK", "200").number, 75);
        EXPECT_EQ(readFile(file.path() / "inside"), "kept");
        EXPECT_EQ(entriesIn(dir.path()), 1u);
    }
}

/// Caps the size of the files this process writes, as a full disk would.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit capped = m_old;
        capped.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &capped);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};

TEST(ParameterFile, AWriteCutShortKeepsEveryOldSetting)
{
    TempDir dir;
    const ParameterFile file = ParameterFile::inFolder(dir.path());
    const std::string old = kDefaultFile + "NameCAD\r\nAutoCAD\r\n";
    writeFile(file.path(), old);

    ErrorPair e;
    {
        // Room for part of the new content only: deleting the old file before writing would
        // lose every setting here.
        FileSizeLimit limit(100);
        e = file.SaveFileSetting("RSVCFGCONCFCK", "200");
    }
    EXPECT_EQ(e.number, 61);
    EXPECT_NE(e.description.find("espaço em disco"), std::string::npos);
    EXPECT_EQ(readFile(file.path()), old);
    EXPECT_EQ(entriesIn(dir.path()), 1u); // the partial temporary file is gone

    // With room again the same save goes through.
    ASSERT_TRUE(file.SaveFileSetting("RSVCFGCONCFCK", "200").ok());
    EXPECT_EQ(get(file, "RSVCFGCONCFCK"), "200");
}

} // namespace
