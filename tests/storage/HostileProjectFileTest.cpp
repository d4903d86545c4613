// Project files damaged or tampered with, made from sound projects written by the program: each
// goes through the Open command and must end in success or a clear error, leave the file byte
// for byte as it was and, when refused, the current project as it was. The mutations are drawn
// from a fixed seed, so a failure names a file that can be made again.
#include "ProjectTestSupport.h"

#include "design/ModulersvARM.h"
#include "results/ModuleCalcConsumo.h"
#include "storage/ProjectFlow.h"

#include <QDir>
#include <QFile>

#include <cmath>
#include <random>

using project_test::dumpProject;
using project_test::execute;
using project_test::Program;
using project_test::readTable;
using storage_test::readBytes;
using storage_test::StorageTest;
using storage_test::writeBytes;

namespace {

constexpr const char *kRefused = "O projeto atual não foi alterado.";

/// The sound projects the mutations start from: each kind, each layout, ground water, an
/// exclusion and a changed arrangement.
std::vector<QByteArray> soundProjects(const QString &folder)
{
    struct Setup
    {
        bool buried;
        std::int16_t layout;
        bool edits;
    };
    const Setup setups[] = { { false, kVerticalLayout, false },
                             { true, kHorizontalLayout, true },
                             { true, kTwoWayLayout, false } };
    std::vector<QByteArray> files;
    int n = 0;
    for (const Setup &s : setups) {
        Program p(folder);
        p.setElevated(!s.buried);
        p.calculate(s.layout);
        if (s.edits) {
            (void)ModulersvARM::NextGauge(p.ctx, 5);
            (void)ModulersvARM::ToggleExclusion(p.ctx, 3, 3);
            ModuleCalcConsumo::ComputeQuantities(p.ctx);
        }
        const QString path = QDir(folder).filePath(QString("som%1.rsv").arg(++n));
        p.ctx.state.projectPath = path.toStdString();
        EXPECT_EQ(ProjectFlow::SaveProject(p.ctx, false, false), ErrorPair());
        files.push_back(readBytes(path));
        QFile::remove(path);
    }
    return files;
}

const char *const kTables[] = { "RSVLGD", "RSVDAT", "RSVENT", "RSVARM", "RSVCFG" };

/// SQL statements that damage one sound project, drawn from `rng`.
class SqlMutations
{
public:
    SqlMutations(const QString &file, std::mt19937 &rng) : m_rng(rng)
    {
        for (const char *t : kTables)
            m_columns[t] = readTable(file, t).columns;
    }

    std::vector<std::string> draw()
    {
        std::vector<std::string> out;
        const int count = 1 + pick(3);
        for (int i = 0; i < count; ++i)
            add(out);
        return out;
    }

private:
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_rng); }

    template <class T, std::size_t N>
    const T &oneOf(const T (&items)[N])
    {
        return items[pick(static_cast<int>(N))];
    }

    void add(std::vector<std::string> &out)
    {
        const std::string table = oneOf(kTables);
        const std::vector<std::string> &columns = m_columns[table];
        const std::string column =
                columns[static_cast<std::size_t>(pick(static_cast<int>(columns.size())))];
        const std::string set = "UPDATE " + table + " SET " + column + " = ";
        // Rows of RSVARM are told apart by their position number.
        const std::string someRow = table == "RSVARM"
                ? " WHERE rsvarmCOD = '" + std::to_string(1 + pick(20)) + "'"
                : std::string();
        static const char *const values[] = {
            "''",
            "'NaN'",
            "'nan'",
            "'inf'",
            "'-inf'",
            "'Infinity'",
            "'1e308'",
            "'-1e308'",
            "'1e-320'",
            "'1E400'",
            "'-0'",
            "'0'",
            "'-1'",
            "'32768'",
            "'-32769'",
            "'2147483648'",
            "'9.999'",
            "'0,005'",
            "'1.5.5'",
            "'1,,5'",
            "' 2.5 '",
            "'+3'",
            "'0x10'",
            "'1e5'",
            "'١٢'",
            "'ção'",
            "'\t'",
            "'2.79\n'",
            "'999999999999999999999'",
        };
        switch (pick(14)) {
        case 0:
        case 1:
        case 2:
            out.push_back(set + oneOf(values) + someRow);
            break;
        case 3: // a huge text
            out.push_back(
                    set + "'"
                    + std::string(static_cast<std::size_t>(1 + pick(200000)), "9a,.-"[pick(5)])
                    + "'" + someRow);
            break;
        case 4: // a number stored as an integer or a real instead of a text
            out.push_back(set + oneOf({ "123", "-7", "0", "1e308", "-1e308", "2.5", "9e99" })
                          + someRow);
            break;
        case 5: // a blob or a null
            out.push_back(set
                          + oneOf({ "X''", "X'00'", "X'00FF3132'", "X'322E3739'", "NULL",
                                    "zeroblob(70000)" })
                          + someRow);
            break;
        case 6: // rows deleted
            out.push_back("DELETE FROM " + table
                          + (pick(2) == 0              ? std::string()
                                     : someRow.empty() ? ""
                                                       : someRow));
            break;
        case 7: // rows duplicated
            out.push_back("INSERT INTO " + table + " SELECT * FROM " + table
                          + (pick(2) == 0 ? " LIMIT 1" : ""));
            break;
        case 8: // a column dropped
            out.push_back("ALTER TABLE " + table + " DROP COLUMN " + column);
            break;
        case 9: // a table dropped, or put back as a view
            if (pick(2) == 0) {
                out.push_back("DROP TABLE " + table);
            } else {
                out.push_back("ALTER TABLE " + table + " RENAME TO X" + table);
                out.push_back("CREATE VIEW " + table + " AS SELECT * FROM X" + table);
            }
            break;
        case 10: // triggers that refuse every change
            for (const char *when : { "UPDATE", "INSERT", "DELETE" })
                out.push_back("CREATE TRIGGER IF NOT EXISTS no" + table + when + " BEFORE " + when
                              + " ON " + table
                              + " BEGIN SELECT RAISE(ABORT, 'somente leitura'); END");
            break;
        case 11: // a column of another type, or more columns
            out.push_back("ALTER TABLE " + table + " ADD COLUMN extra" + std::to_string(pick(99))
                          + (pick(2) == 0 ? " INTEGER DEFAULT 7" : " BLOB"));
            break;
        case 12: // every value of a column at once
            out.push_back(set + oneOf(values));
            break;
        default: // an extra table and an index
            out.push_back("CREATE TABLE IF NOT EXISTS RSVXYZ (a TEXT)");
            out.push_back("CREATE INDEX IF NOT EXISTS ix" + table + " ON " + table + "("
                          + columns.front() + ")");
            break;
        }
    }

    std::mt19937 &m_rng;
    std::map<std::string, std::vector<std::string>> m_columns;
};

/// A sound project's bytes damaged: bytes flipped, the file cut short, garbage put in.
QByteArray damagedBytes(QByteArray bytes, std::mt19937 &rng)
{
    const auto pick = [&rng](qsizetype n) {
        return std::uniform_int_distribution<qsizetype>(0, std::max<qsizetype>(n - 1, 0))(rng);
    };
    const int count = 1 + static_cast<int>(pick(3));
    for (int i = 0; i < count; ++i) {
        switch (pick(6)) {
        case 0: // bytes flipped anywhere
            for (qsizetype k = 0, n = 1 + pick(16); k < n && !bytes.isEmpty(); ++k) {
                const qsizetype at = pick(bytes.size());
                bytes[at] = static_cast<char>(bytes[at] ^ (1 + pick(255)));
            }
            break;
        case 1: // bytes flipped in the header, where the page size and counts are
            for (qsizetype k = 0, n = 1 + pick(4); k < n && bytes.size() > 100; ++k)
                bytes[16 + pick(84)] = static_cast<char>(pick(256));
            break;
        case 2: // cut short
            bytes.truncate(pick(bytes.size() + 1));
            break;
        case 3: { // garbage inserted
            QByteArray garbage(1 + pick(4096), '\0');
            for (char &c : garbage)
                c = static_cast<char>(pick(256));
            bytes.insert(pick(bytes.size() + 1), garbage);
            break;
        }
        case 4: { // a whole page overwritten
            const qsizetype page = 4096;
            if (bytes.size() > page) {
                const qsizetype at = page * pick(bytes.size() / page);
                for (qsizetype k = at; k < std::min(at + page, bytes.size()); ++k)
                    bytes[k] = static_cast<char>(pick(2) == 0 ? 0 : pick(256));
            }
            break;
        }
        default: // garbage appended
            bytes.append(QByteArray(1 + pick(8192), static_cast<char>(pick(256))));
            break;
        }
    }
    return bytes;
}

/// Opens each hostile file through the Open command in the program `current` and checks the
/// outcome. Returns how many files were tried.
class HostileOpen
{
public:
    HostileOpen(const QString &folder) : m_folder(folder), m_current(folder, true)
    {
        // A current project of its own: calculated, saved, an arrangement changed since.
        m_current.calculate();
        m_current.ctx.state.projectPath = QDir(folder).filePath("atual.rsv").toStdString();
        EXPECT_EQ(ProjectFlow::SaveProject(m_current.ctx, false, false), ErrorPair());
        (void)ModulersvARM::NextGauge(m_current.ctx, 1);
    }

    void open(const QByteArray &bytes, const std::string &what)
    {
        const QString path = QDir(m_folder).filePath("hostil.rsv");
        QFile::remove(path);
        writeBytes(path, bytes);
        const QStringList filesBefore = QDir(m_folder).entryList(QDir::Files);
        const std::string before = dumpProject(m_current.ctx);
        m_current.ui.clear();
        m_current.ui.fileAnswers.push_back({ 0, path.toStdString() });

        const ErrorPair result = ProjectFlow::OpenProject(m_current.ctx);
        ++m_tried;

        EXPECT_EQ(readBytes(path), bytes) << what << ": the file was changed";
        EXPECT_EQ(QDir(m_folder).entryList(QDir::Files), filesBefore) << what;
        if (result.ok()) {
            ++m_opened;
            EXPECT_EQ(m_current.ctx.state.projectPath, path.toStdString()) << what;
            // Whatever the file held, the results are numbers.
            for (const std::string &t : m_current.ctx.results.Text_a) {
                const QString shown = QString::fromStdString(t).toLower();
                EXPECT_FALSE(shown.contains("nan") || shown.contains("inf")) << what << ": " << t;
            }
            return;
        }
        EXPECT_FALSE(result.description.empty()) << what;
        // A message box's text, not a page: a huge value of the file is quoted in part.
        EXPECT_LT(result.description.size(), 400 + path.toStdString().size())
                << what << ": " << result.description.substr(0, 400);
        if (std::getenv("HOSTILE_VERBOSE"))
            std::printf("%d %s\n", result.number, result.description.substr(0, 300).c_str());
        // Every message is Portuguese text that a message box can show.
        EXPECT_TRUE(QString::fromUtf8(result.description).toUtf8().toStdString()
                    == result.description)
                << what << ": " << result.description;
        if (result.description.find(kRefused) != std::string::npos) {
            ++m_refused;
            EXPECT_EQ(dumpProject(m_current.ctx), before) << what << ": " << result.description;
            EXPECT_TRUE(m_current.ui.eventsStartingWith("ShowForm ").empty()) << what;
        } else {
            // An input limit of a refilled window, or the calculation's own error: the opening
            // stopped where the design has it stop, with the limit's or the calculation's text.
            ++m_stopped;
            EXPECT_NE(result.number, 0) << what;
        }
        if (::testing::Test::HasFailure() && ++m_reported < 5)
            ADD_FAILURE() << "first failing file: " << what;
    }

    int tried() const { return m_tried; }
    int opened() const { return m_opened; }
    int refused() const { return m_refused; }
    int stopped() const { return m_stopped; }

private:
    QString m_folder;
    Program m_current;
    int m_tried = 0;
    int m_opened = 0;
    int m_refused = 0;
    int m_stopped = 0;
    int m_reported = 0;
};

TEST_F(StorageTest, HostileProjectFilesEditedInTheirTables)
{
    QTemporaryDir sound;
    const std::vector<QByteArray> projects = soundProjects(sound.path());
    ASSERT_EQ(projects.size(), 3u);
    std::mt19937 rng(20261211);
    HostileOpen open(dir.path());
    const QString scratch = QDir(sound.path()).filePath("mutante.rsv");
    for (int i = 0; i < 360; ++i) {
        const QByteArray &base = projects[static_cast<std::size_t>(i) % projects.size()];
        QFile::remove(scratch);
        writeBytes(scratch, base);
        SqlMutations mutations(scratch, rng);
        const std::vector<std::string> statements = mutations.draw();
        std::string what = "arquivo " + std::to_string(i) + ":";
        {
            Database db;
            ASSERT_EQ(Database::OpenDatabase(scratch, db), ErrorPair());
            for (const std::string &s : statements) {
                // A statement the damaged schema no longer takes (a dropped table) is skipped.
                if (db.Execute(s).ok())
                    what += " " + s.substr(0, 120) + ";";
            }
        }
        open.open(readBytes(scratch), what);
        if (HasFatalFailure())
            return;
    }
    std::printf("%d arquivos: %d abertos, %d recusados, %d parados por limite ou cálculo\n",
                open.tried(), open.opened(), open.refused(), open.stopped());
    EXPECT_GE(open.tried(), 360);
    EXPECT_GT(open.refused(), 0);
    EXPECT_GT(open.opened(), 0);
}

TEST_F(StorageTest, HostileProjectFilesDamagedInTheirBytes)
{
    QTemporaryDir sound;
    const std::vector<QByteArray> projects = soundProjects(sound.path());
    ASSERT_EQ(projects.size(), 3u);
    std::mt19937 rng(11122026);
    HostileOpen open(dir.path());
    for (int i = 0; i < 640; ++i) {
        const QByteArray &base = projects[static_cast<std::size_t>(i) % projects.size()];
        open.open(damagedBytes(base, rng), "arquivo danificado " + std::to_string(i));
        if (HasFatalFailure())
            return;
    }
    std::printf("%d arquivos: %d abertos, %d recusados, %d parados por limite ou cálculo\n",
                open.tried(), open.opened(), open.refused(), open.stopped());
    EXPECT_GE(open.tried(), 640);
    EXPECT_GT(open.refused(), 0);
}

} // namespace
