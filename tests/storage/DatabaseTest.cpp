#include "StorageTestSupport.h"

#include "storage/Database.h"
#include "storage/Recordset.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlQuery>
#include <QUuid>

#include <csignal>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>
#include <vector>

using storage_test::readBytes;
using storage_test::StorageTest;
using storage_test::writeBytes;

namespace {

using Rows = std::vector<std::vector<std::string>>;

/// Every row of a table through a fresh OpenDatabase, as a later command would see the file.
Rows readTable(const QString &file, const std::string &table)
{
    Database db;
    Recordset rs;
    Rows rows;
    EXPECT_EQ(Database::OpenDatabase(file, db), ErrorPair());
    EXPECT_EQ(db.OpenRecordset("SELECT * FROM " + table, rs), ErrorPair());
    const std::vector<std::string> fields = rs.FieldNames();
    while (!rs.Eof()) {
        std::vector<std::string> row;
        for (const std::string &f : fields) {
            std::string v;
            EXPECT_EQ(rs.GetField(f, v), ErrorPair());
            row.push_back(v);
        }
        rows.push_back(row);
        EXPECT_EQ(rs.MoveNext(), ErrorPair());
    }
    return rows;
}

void addRow(Recordset &rs, const std::vector<std::pair<std::string, std::string>> &values)
{
    ASSERT_EQ(rs.AddNew(), ErrorPair());
    for (const auto &[name, value] : values)
        ASSERT_EQ(rs.SetField(name, value), ErrorPair());
    ASSERT_EQ(rs.Update(), ErrorPair());
}

/// A file with table T (A, B) holding the rows 1/um, 2/dois, 3/três.
void makeSample(const QString &file)
{
    Database db;
    ASSERT_EQ(Database::CreateDatabase(file, db), ErrorPair());
    ASSERT_EQ(db.Execute("CREATE TABLE T (A TEXT UNIQUE, B TEXT)"), ErrorPair());
    Recordset rs;
    ASSERT_EQ(db.OpenRecordset("SELECT * FROM T", rs), ErrorPair());
    addRow(rs, { { "A", "1" }, { "B", "um" } });
    addRow(rs, { { "A", "2" }, { "B", "dois" } });
    addRow(rs, { { "A", "3" }, { "B", "três" } });
}

const Rows kSampleRows = { { "1", "um" }, { "2", "dois" }, { "3", "três" } };

} // namespace

TEST_F(StorageTest, CreateWriteAndReadBackInInsertionOrder)
{
    const QString path = file("novo.rsv");
    {
        Database db;
        ASSERT_EQ(Database::CreateDatabase(path, db), ErrorPair());
        ASSERT_EQ(db.Execute("CREATE TABLE T (A TEXT UNIQUE, B TEXT)"), ErrorPair());
        ASSERT_EQ(db.Execute("CREATE TABLE U (C TEXT)"), ErrorPair());
        std::vector<std::string> tables;
        ASSERT_EQ(db.TableNames(tables), ErrorPair());
        EXPECT_EQ(tables, (std::vector<std::string>{ "T", "U" }));

        Recordset rs;
        ASSERT_EQ(db.OpenRecordset("select * from t", rs), ErrorPair());
        EXPECT_EQ(rs.RecordCount(), 0);
        EXPECT_TRUE(rs.Eof());
        EXPECT_TRUE(rs.Bof());
        EXPECT_EQ(rs.FieldNames(), (std::vector<std::string>{ "A", "B" }));
        // Added in an order that no sorting of the values would give.
        addRow(rs, { { "A", "30" }, { "B", "Argila média, ç" } });
        addRow(rs, { { "A", "4" }, { "b", "" } });
        addRow(rs, { { "A", "100" } });
        EXPECT_EQ(rs.RecordCount(), 3);
        EXPECT_GT(rs.LastModified(), 0);
    }
    // A field never set reads as the empty text, like one set to it.
    EXPECT_EQ(readTable(path, "T"),
              (Rows{ { "30", "Argila média, ç" }, { "4", "" }, { "100", "" } }));

    // Stored as text, whatever they look like: a tool reading the file sees texts.
    {
        QSqlDatabase raw = QSqlDatabase::addDatabase("QSQLITE", "raw");
        raw.setDatabaseName(path);
        ASSERT_TRUE(raw.open());
        QSqlQuery q(raw);
        ASSERT_TRUE(q.exec("SELECT typeof(A) FROM T"));
        while (q.next())
            EXPECT_EQ(q.value(0).toString(), "text");
    }
    QSqlDatabase::removeDatabase("raw");
}

TEST_F(StorageTest, CursorFindEditAndDelete)
{
    const QString path = file("a.rsv");
    makeSample(path);
    Database db;
    Recordset rs;
    ASSERT_EQ(Database::OpenDatabase(path, db), ErrorPair());
    ASSERT_EQ(db.OpenRecordset("SELECT * FROM T;", rs), ErrorPair());
    std::string v;

    ASSERT_EQ(rs.MoveLast(), ErrorPair());
    ASSERT_EQ(rs.GetField("B", v), ErrorPair());
    EXPECT_EQ(v, "três");
    EXPECT_EQ(rs.MoveNext(), ErrorPair());
    EXPECT_TRUE(rs.Eof());
    EXPECT_EQ(rs.MoveNext().number, 3021);
    EXPECT_EQ(rs.GetField("B", v).number, 3021);
    ASSERT_EQ(rs.MoveFirst(), ErrorPair());
    EXPECT_EQ(rs.MovePrevious(), ErrorPair());
    EXPECT_TRUE(rs.Bof());
    EXPECT_EQ(rs.MovePrevious().number, 3021);

    // Numbers compare as numbers; a miss keeps the cursor where it was.
    ASSERT_EQ(rs.FindFirst("A = 2.0"), ErrorPair());
    EXPECT_FALSE(rs.NoMatch());
    ASSERT_EQ(rs.GetField("b", v), ErrorPair());
    EXPECT_EQ(v, "dois");
    ASSERT_EQ(rs.FindFirst("A = 9"), ErrorPair());
    EXPECT_TRUE(rs.NoMatch());
    ASSERT_EQ(rs.GetField("B", v), ErrorPair());
    EXPECT_EQ(v, "dois");
    ASSERT_EQ(rs.FindFirst("B = 'três'"), ErrorPair());
    EXPECT_FALSE(rs.NoMatch());

    // Edit the row found; the edit is in the file at once.
    ASSERT_EQ(rs.FindFirst("A = 2"), ErrorPair());
    const std::int64_t second = rs.Bookmark();
    ASSERT_EQ(rs.Edit(), ErrorPair());
    ASSERT_EQ(rs.SetField("B", "DOIS"), ErrorPair());
    ASSERT_EQ(rs.GetField("B", v), ErrorPair());
    EXPECT_EQ(v, "DOIS");
    ASSERT_EQ(rs.Update(), ErrorPair());
    EXPECT_EQ(rs.LastModified(), second);
    EXPECT_EQ(readTable(path, "T"), (Rows{ { "1", "um" }, { "2", "DOIS" }, { "3", "três" } }));

    // An edit dropped by a move or CancelUpdate is not stored.
    ASSERT_EQ(rs.Edit(), ErrorPair());
    ASSERT_EQ(rs.SetField("B", "perdido"), ErrorPair());
    ASSERT_EQ(rs.MoveFirst(), ErrorPair());
    EXPECT_EQ(rs.Update().number, 3020);
    ASSERT_EQ(rs.Edit(), ErrorPair());
    ASSERT_EQ(rs.SetField("B", "perdido"), ErrorPair());
    ASSERT_EQ(rs.CancelUpdate(), ErrorPair());
    EXPECT_EQ(rs.Update().number, 3020);

    // Delete the middle row: it cannot be read any more, and MoveNext goes on to the next.
    ASSERT_EQ(rs.SetBookmark(second), ErrorPair());
    ASSERT_EQ(rs.Delete(), ErrorPair());
    EXPECT_EQ(rs.RecordCount(), 2);
    EXPECT_FALSE(rs.Eof());
    EXPECT_EQ(rs.GetField("A", v).number, 3167);
    EXPECT_EQ(rs.Delete().number, 3167);
    ASSERT_EQ(rs.MoveNext(), ErrorPair());
    ASSERT_EQ(rs.GetField("A", v), ErrorPair());
    EXPECT_EQ(v, "3");
    EXPECT_EQ(readTable(path, "T"), (Rows{ { "1", "um" }, { "3", "três" } }));

    // The sequential delete of every row.
    ASSERT_EQ(rs.MoveFirst(), ErrorPair());
    while (!rs.Eof()) {
        ASSERT_EQ(rs.Delete(), ErrorPair());
        ASSERT_EQ(rs.MoveNext(), ErrorPair());
    }
    EXPECT_EQ(rs.RecordCount(), 0);
    EXPECT_EQ(rs.MoveFirst().number, 3021);
    EXPECT_EQ(rs.Edit().number, 3021);
    EXPECT_TRUE(readTable(path, "T").empty());
}

TEST_F(StorageTest, MisusedOperationsReportTheirErrors)
{
    const QString path = file("a.rsv");
    makeSample(path);
    Database db;
    Recordset rs;
    ASSERT_EQ(Database::OpenDatabase(path, db), ErrorPair());
    ASSERT_EQ(db.OpenRecordset("SELECT * FROM T", rs), ErrorPair());
    Recordset other;
    std::string v;

    struct Case
    {
        const char *what;
        ErrorPair result;
        std::int32_t number;
    };
    const Case cases[] = {
        { "missing table", db.OpenRecordset("SELECT * FROM SOLOS", other), 3078 },
        { "a query other than SELECT *", db.OpenRecordset("SELECT A FROM T", other), 3129 },
        { "a second CREATE of a table", db.Execute("CREATE TABLE T (A TEXT)"), 3010 },
        { "SQL that does not parse", db.Execute("CREATE TABEL X (A TEXT)"), 3290 },
        { "unknown field read", rs.GetField("NOME", v), 3265 },
        { "field set without Edit", rs.SetField("A", "x"), 3020 },
        { "Update without Edit", rs.Update(), 3020 },
        { "criteria without '='", rs.FindFirst("A 2"), 3077 },
        { "criteria of a text without quotes", rs.FindFirst("A = dois"), 3077 },
        { "criteria on an unknown field", rs.FindFirst("COD_SOLO = 1"), 3070 },
        { "commit with no transaction", db.CommitTrans(), 3034 },
    };
    for (const Case &c : cases) {
        EXPECT_EQ(c.result.number, c.number) << c.what;
        EXPECT_FALSE(c.result.description.empty()) << c.what;
    }
    EXPECT_NE(cases[0].result.description.find("SOLOS"), std::string::npos);

    // Once the database is closed the recordset can no longer write.
    ASSERT_EQ(db.Close(), ErrorPair());
    EXPECT_EQ(rs.Edit().number, 3420);
    EXPECT_EQ(rs.AddNew().number, 3420);
    EXPECT_EQ(rs.Delete().number, 3420);
    EXPECT_EQ(db.Execute("CREATE TABLE X (A TEXT)").number, 3420);
    EXPECT_EQ(readTable(path, "T"), kSampleRows);
}

TEST_F(StorageTest, CreatingOverAnExistingFileFailsAndLeavesItUntouched)
{
    const QString database = file("existente.rsv");
    makeSample(database);
    const QString text = file("texto.rsv");
    writeBytes(text, "não sou um banco de dados\n");
    const QString empty = file("vazio.rsv");
    writeBytes(empty, {});

    for (const QString &path : { database, text, empty }) {
        const QByteArray before = readBytes(path);
        Database db;
        const ErrorPair e = Database::CreateDatabase(path, db);
        EXPECT_EQ(e.number, 3204) << path.toStdString();
        EXPECT_NE(e.description.find("existente não foi alterado"), std::string::npos);
        EXPECT_FALSE(db.isOpen());
        EXPECT_EQ(readBytes(path), before) << path.toStdString();
    }
    EXPECT_EQ(readTable(database, "T"), kSampleRows);

    Database db;
    EXPECT_EQ(Database::CreateDatabase(file("sem pasta/novo.rsv"), db).number, 76);
    EXPECT_FALSE(QFileInfo::exists(file("sem pasta")));
}

TEST_F(StorageTest, OpeningWhatIsNotADatabaseFailsCleanly)
{
    makeSample(file("danificado.rsv"));
    // A database whose header is whole but whose pages are not: page 2 (the table) overwritten.
    {
        QFile f(file("danificado.rsv"));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_GE(f.size(), 8192);
        f.seek(4096);
        f.write(QByteArray(4096, '\xA5'));
    }
    QByteArray noise;
    for (int i = 0; i < 4096; ++i)
        noise.append(static_cast<char>((i * 7919 + 13) % 256));
    writeBytes(file("aleatorio.rsv"), noise);
    writeBytes(file("texto.rsv"), "RSVDAT;rsvdatA\n2,79;3,5\n");
    writeBytes(file("vazio.rsv"), {});
    // A header alone, cut short.
    writeBytes(file("cortado.rsv"), QByteArray("SQLite format 3\0", 16));
    QDir(dir.path()).mkdir("pasta.rsv");

    struct Case
    {
        const char *name;
        std::int32_t number;
    };
    const Case
            cases
                    [] = {
                        { "nenhum.rsv", 3024 }, // missing
                        { "sem pasta/nenhum.rsv", 76 }, // missing folder
                        { "texto.rsv", 3343 },
                        { "vazio.rsv", 3343 }, // SQLite alone would take it for an empty database
                        { "aleatorio.rsv", 3343 },
                        { "cortado.rsv", 3343 },
                        { "pasta.rsv", 75 },
                        { "danificado.rsv", 3049 },
                    };
    for (const Case &c : cases) {
        const QString path = file(c.name);
        const QByteArray before = readBytes(path);
        Database db;
        const ErrorPair e = Database::OpenDatabase(path, db);
        EXPECT_EQ(e.number, c.number) << c.name;
        EXPECT_NE(e.description.find(QDir::toNativeSeparators(path).toStdString()),
                  std::string::npos)
                << c.name << ": " << e.description;
        EXPECT_FALSE(db.isOpen()) << c.name;
        EXPECT_EQ(readBytes(path), before) << c.name;
    }
    EXPECT_FALSE(QFileInfo::exists(file("nenhum.rsv")));
}

TEST_F(StorageTest, AFailedWriteLeavesTheOldContentWhole)
{
    const QString path = file("a.rsv");
    makeSample(path);
    const QByteArray before = readBytes(path);
    Database db;
    Recordset rs;
    ASSERT_EQ(Database::OpenDatabase(path, db), ErrorPair());
    ASSERT_EQ(db.OpenRecordset("SELECT * FROM T", rs), ErrorPair());

    // One write alone: a duplicate is refused, nothing is stored, the edit stays open.
    ASSERT_EQ(rs.Edit(), ErrorPair());
    ASSERT_EQ(rs.SetField("A", "3"), ErrorPair());
    EXPECT_EQ(rs.Update().number, 3022);
    EXPECT_EQ(rs.CancelUpdate(), ErrorPair());
    EXPECT_EQ(readTable(path, "T"), kSampleRows);

    // Several writes in one transaction: the third fails, the procedure rolls back.
    ASSERT_EQ(db.BeginTrans(), ErrorPair());
    addRow(rs, { { "A", "4" }, { "B", "quatro" } });
    ASSERT_EQ(rs.MoveFirst(), ErrorPair());
    ASSERT_EQ(rs.Delete(), ErrorPair());
    ASSERT_EQ(rs.AddNew(), ErrorPair());
    ASSERT_EQ(rs.SetField("A", "2"), ErrorPair());
    EXPECT_EQ(rs.Update().number, 3022);
    ASSERT_EQ(db.Rollback(), ErrorPair());
    EXPECT_EQ(readTable(path, "T"), kSampleRows);

    // A transaction still open when the database closes is not kept either.
    Recordset again;
    ASSERT_EQ(db.OpenRecordset("SELECT * FROM T", again), ErrorPair());
    ASSERT_EQ(db.BeginTrans(), ErrorPair());
    addRow(again, { { "A", "5" } });
    ASSERT_EQ(db.Close(), ErrorPair());
    EXPECT_EQ(readTable(path, "T"), kSampleRows);
    EXPECT_EQ(readBytes(path), before);
}

TEST_F(StorageTest, AProcessKilledInTheMiddleOfAWriteLeavesTheOldContentWhole)
{
    const QString path = file("a.rsv");
    makeSample(path);

    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        // Enough rows, with a cache of a few pages, that the file itself is being rewritten
        // when the process dies.
        Database db;
        Recordset rs;
        if (!Database::OpenDatabase(path, db).ok() || !db.Execute("PRAGMA cache_size = 5").ok()
            || !db.OpenRecordset("SELECT * FROM T", rs).ok() || !db.BeginTrans().ok())
            _exit(1);
        while (rs.Delete().ok() && rs.MoveNext().ok() && !rs.Eof()) { }
        const std::string filler(1000, 'x');
        for (int i = 0; i < 2000; ++i) {
            if (!rs.AddNew().ok() || !rs.SetField("A", "n" + std::to_string(i)).ok()
                || !rs.SetField("B", filler).ok() || !rs.Update().ok())
                _exit(1);
        }
        std::raise(SIGKILL);
        _exit(2);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFSIGNALED(status)) << "the writer ended before being killed";
    EXPECT_TRUE(QFileInfo::exists(path + "-journal")) << "the kill came after the write";

    EXPECT_EQ(readTable(path, "T"), kSampleRows);
}

/// Tries to add a row to table T of `path`; the error number of the write, or -1 when the file
/// could not even be opened and read.
int tryAddRow(const QString &path)
{
    Database db;
    Recordset rs;
    if (!Database::OpenDatabase(path, db).ok() || !db.OpenRecordset("SELECT * FROM T", rs).ok())
        return -1;
    if (!rs.AddNew().ok() || !rs.SetField("A", "9").ok())
        return -1;
    const ErrorPair e = rs.Update();
    if (rs.RecordCount() != 3)
        return -2;
    db.Close().ok();
    return e.number;
}

TEST_F(StorageTest, AReadOnlyFileOrFolderRefusesWritesAndStaysAsItWas)
{
    QDir(dir.path()).mkdir("pasta");
    const QString inFolder = file("pasta/a.rsv");
    const QString alone = file("a.rsv");
    makeSample(inFolder);
    makeSample(alone);
    const auto readOnly = QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther;
    const auto browse = QFileDevice::ExeOwner | QFileDevice::ExeGroup | QFileDevice::ExeOther;
    ASSERT_TRUE(QFile::setPermissions(alone, readOnly));
    ASSERT_TRUE(QFile::setPermissions(file("pasta"), readOnly | browse));
    // The superuser writes through file permissions: the writes are then tried by a child
    // process that has given up its privileges, as an ordinary user would run the program.
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly | browse | QFileDevice::WriteOwner));

    for (const QString &path : { alone, inFolder }) {
        const QByteArray before = readBytes(path);
        int number = 0;
        if (geteuid() == 0) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                const bool dropped = setgid(65534) == 0 && setuid(65534) == 0;
                _exit(dropped ? tryAddRow(path) & 0xff : 0xfe);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFEXITED(status));
            number = WEXITSTATUS(status);
        } else {
            number = tryAddRow(path);
        }
        EXPECT_EQ(number, 70) << path.toStdString();
        EXPECT_EQ(readBytes(path), before);
    }
    QFile::setPermissions(file("pasta"),
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

TEST_F(StorageTest, EachOpenDatabaseHasItsOwnConnectionUntilClosed)
{
    makeSample(file("a.rsv"));
    makeSample(file("b.rsv"));
    {
        Database a;
        Database b;
        ASSERT_EQ(Database::OpenDatabase(file("a.rsv"), a), ErrorPair());
        ASSERT_EQ(Database::OpenDatabase(file("b.rsv"), b), ErrorPair());
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), 2);
        Recordset rb;
        ASSERT_EQ(b.OpenRecordset("SELECT * FROM T", rb), ErrorPair());
        addRow(rb, { { "A", "b4" } });
        ASSERT_EQ(a.Close(), ErrorPair());
        EXPECT_EQ(a.Close(), ErrorPair());
        EXPECT_EQ(QSqlDatabase::connectionNames().size(), 1);
        // Moving a database moves its connection; the destructor closes it.
        Database moved = std::move(b);
        EXPECT_TRUE(moved.isOpen());
        EXPECT_FALSE(b.isOpen());
    }
    EXPECT_TRUE(QSqlDatabase::connectionNames().isEmpty());
    EXPECT_EQ(readTable(file("a.rsv"), "T"), kSampleRows);
    EXPECT_EQ(readTable(file("b.rsv"), "T").size(), 4u);
}
