#include "results/ReportEngine.h"

#include "core/Numbers.h"
#include "core/RegionalSettings.h"
#include "draw/ScenePainter.h"
#include "storage/Database.h"
#include "storage/DatabaseError.h"
#include "storage/Recordset.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFileInfo>
#include <QFont>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextObjectInterface>
#include <QTextTable>

#include <algorithm>
#include <cctype>

namespace ReportEngine {

namespace {

constexpr const char *kFontFamily = "DejaVu Sans";
// Margins of the page, millimetres, and the height kept for the header and the footer.
constexpr double kMarginLeftMm = 20.0;
constexpr double kMarginRightMm = 15.0;
constexpr double kMarginTopMm = 12.0;
constexpr double kMarginBottomMm = 12.0;
// A figure's box on the page, millimetres.
constexpr double kFigureWidthMm = 150.0;
constexpr double kFigureHeightMm = 85.0;

constexpr int kFigureObjectType = QTextFormat::UserObject + 1;
constexpr int kFigureIndexProperty = QTextFormat::UserProperty + 1;

std::string lower(std::string s)
{
    for (char &c : s)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string trimmed(std::string_view s)
{
    return std::string(TrimBlanks(s));
}

QString qs(const std::string &s)
{
    return QString::fromStdString(s);
}

QString where(const QString &file, int line)
{
    return QStringLiteral("O modelo de relatório \"%1\", linha %2").arg(file).arg(line);
}

ErrorPair syntax(const QString &file, int line, const QString &what)
{
    return { kTemplateSyntax, (where(file, line) + ": " + what).toStdString() };
}

std::vector<std::string> splitCells(const std::string &text)
{
    std::vector<std::string> cells;
    std::size_t start = 0;
    while (true) {
        const std::size_t bar = text.find('|', start);
        cells.push_back(trimmed(std::string_view(text).substr(
                start, bar == std::string::npos ? std::string::npos : bar - start)));
        if (bar == std::string::npos)
            break;
        start = bar + 1;
    }
    return cells;
}

/// The names a text refers to in braces, with the position after each.
struct FieldRef
{
    std::string table; ///< empty: the row of the enclosing `linhas`, or a word of the engine
    std::string column;
    std::string format; ///< after ":": "0", "0.0", "0.00"…; empty: the value as stored
};

/// "0", "0.0", "0.00" and so on.
bool validFormat(const std::string &format)
{
    if (format == "0")
        return true;
    return format.size() >= 3 && format.compare(0, 2, "0.") == 0
            && format.find_first_not_of('0', 2) == std::string::npos;
}

/// Calls `f` for each {…} of a text; false when the braces are unbalanced.
template <typename F>
bool forEachField(const std::string &text, F &&f)
{
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "{{") == 0 || text.compare(i, 2, "}}") == 0) {
            i += 2;
            continue;
        }
        if (text[i] == '}')
            return false;
        if (text[i] != '{') {
            ++i;
            continue;
        }
        const std::size_t close = text.find('}', i + 1);
        if (close == std::string::npos)
            return false;
        std::string inside = trimmed(std::string_view(text).substr(i + 1, close - i - 1));
        FieldRef ref;
        if (const std::size_t colon = inside.find(':'); colon != std::string::npos) {
            ref.format = trimmed(std::string_view(inside).substr(colon + 1));
            inside = trimmed(std::string_view(inside).substr(0, colon));
        }
        const std::size_t dot = inside.find('.');
        if (dot == std::string::npos) {
            ref.column = inside;
        } else {
            ref.table = trimmed(std::string_view(inside).substr(0, dot));
            ref.column = trimmed(std::string_view(inside).substr(dot + 1));
        }
        f(ref);
        i = close + 1;
    }
    return true;
}

bool isPageWord(const std::string &word)
{
    const std::string w = lower(word);
    return w == "pagina" || w == "página" || w == "paginas" || w == "páginas";
}

bool isEngineWord(const std::string &word)
{
    const std::string w = lower(word);
    return w == "titulo" || w == "título" || w == "data" || isPageWord(word);
}

/// What a text's fields are replaced with.
struct Context
{
    const ReportData *data = nullptr;
    const Table *rowTable = nullptr; ///< the table of the enclosing `linhas`
    const std::vector<std::string> *row = nullptr;
    const RegionalSettings *regional = nullptr; ///< the decimal symbol of formatted fields
    QString title;
    QString date;
    int page = 0;
    int pages = 0;
};

std::string storedValue(const Context &c, const FieldRef &ref);

/// A field's value, rounded to its format and written with the regional decimal symbol when it
/// has one and is a number (a number typed with "." in a window and one the program wrote with
/// "," then print alike); anything else as stored.
std::string fieldValue(const Context &c, const FieldRef &ref)
{
    std::string value = storedValue(c, ref);
    if (ref.format.empty() || !c.regional)
        return value;
    const std::optional<double> v = TryTextToNumber(value, ref.format);
    if (!v || TrimBlanks(value).empty())
        return value;
    return DoubleText(*v, *c.regional);
}

std::string storedValue(const Context &c, const FieldRef &ref)
{
    if (ref.table.empty()) {
        const std::string w = lower(ref.column);
        if (w == "titulo" || w == "título")
            return c.title.toStdString();
        if (w == "data")
            return c.date.toStdString();
        if (w == "pagina" || w == "página")
            return std::to_string(c.page);
        if (w == "paginas" || w == "páginas")
            return std::to_string(c.pages);
        if (c.rowTable && c.row) {
            const int i = c.rowTable->column(ref.column);
            if (i >= 0 && static_cast<std::size_t>(i) < c.row->size())
                return (*c.row)[static_cast<std::size_t>(i)];
        }
        return {};
    }
    return c.data->value(ref.table, ref.column);
}

std::string expand(const std::string &text, const Context &c)
{
    std::string out;
    std::size_t i = 0;
    while (i < text.size()) {
        if (text.compare(i, 2, "{{") == 0 || text.compare(i, 2, "}}") == 0) {
            out += text[i];
            i += 2;
            continue;
        }
        if (text[i] != '{') {
            out += text[i++];
            continue;
        }
        const std::size_t close = text.find('}', i + 1);
        std::string one = text.substr(i, close - i + 1);
        forEachField(one, [&](const FieldRef &ref) { out += fieldValue(c, ref); });
        i = close + 1;
    }
    return out;
}

/// Checks the fields of one text: the tables and columns it names must be in the data file;
/// an unqualified name must be a word of the engine or, inside `linhas`, a column of its table.
ErrorPair checkText(const std::string &text, const QString &file, int line, const ReportData &data,
                    const Table *rowTable, bool pageWords)
{
    ErrorPair error;
    const bool balanced = forEachField(text, [&](const FieldRef &ref) {
        if (!error.ok())
            return;
        const QString at = where(file, line);
        const QString dataFile = QFileInfo(data.file).absoluteFilePath();
        if (!ref.format.empty() && !validFormat(ref.format)) {
            error = { kTemplateSyntax,
                      (at
                       + QStringLiteral(": o formato \"%1\" não existe (use 0, 0.0, 0.00...).")
                                 .arg(qs(ref.format)))
                              .toStdString() };
            return;
        }
        if (ref.table.empty()) {
            if (ref.column.empty()) {
                error = { kTemplateSyntax, (at + ": há um campo vazio, \"{}\".").toStdString() };
            } else if (isPageWord(ref.column) && !pageWords) {
                error = { kTemplateSyntax,
                          (at
                           + QStringLiteral(": {%1} só vale no cabeçalho e no rodapé.")
                                     .arg(qs(ref.column)))
                                  .toStdString() };
            } else if (!isEngineWord(ref.column)
                       && !(rowTable && rowTable->column(ref.column) >= 0)) {
                error = { DatabaseError::ItemNotFound,
                          (at
                           + (rowTable ? QStringLiteral(": pede o campo %1, que a tabela %2 do "
                                                        "banco de dados \"%3\" não tem.")
                                                 .arg(qs(ref.column), qs(rowTable->name), dataFile)
                                       : QStringLiteral(": pede o campo {%1}, sem a tabela; "
                                                        "escreva {TABELA.%1}.")
                                                 .arg(qs(ref.column))))
                                  .toStdString() };
            }
            return;
        }
        const Table *t = data.table(ref.table);
        if (!t) {
            error = { DatabaseError::TableNotFound,
                      (at
                       + QStringLiteral(": pede o campo %1.%2, mas o banco de dados \"%3\" não "
                                        "tem a tabela %1.")
                                 .arg(qs(ref.table), qs(ref.column), dataFile))
                              .toStdString() };
        } else if (t->column(ref.column) < 0) {
            error = { DatabaseError::ItemNotFound,
                      (at
                       + QStringLiteral(": pede o campo %1.%2, que a tabela %1 do banco de "
                                        "dados \"%3\" não tem.")
                                 .arg(qs(ref.table), qs(ref.column), dataFile))
                              .toStdString() };
        }
    });
    if (!balanced)
        return syntax(file, line, QStringLiteral("as chaves { } não se fecham."));
    return error;
}

ErrorPair checkNodes(const std::vector<Node> &nodes, const QString &file, const ReportData &data,
                     const Table *rowTable, const std::vector<std::string> &figures)
{
    for (const Node &n : nodes) {
        auto check = [&](const std::string &text) {
            return checkText(text, file, n.line, data, rowTable, false);
        };
        ErrorPair e;
        switch (n.kind) {
        case Node::Title:
        case Node::Section:
        case Node::Paragraph:
            e = check(n.text);
            break;
        case Node::Figure:
            if (std::find(figures.begin(), figures.end(), lower(n.argument)) == figures.end()) {
                QStringList names;
                for (const std::string &f : figures)
                    names << qs(f);
                return syntax(file, n.line,
                              QStringLiteral("a figura \"%1\" não existe (há: %2).")
                                      .arg(qs(n.argument), names.join(QStringLiteral(", "))));
            }
            e = check(n.text);
            break;
        case Node::Table:
            for (const std::string &cell : n.cells) {
                if (e = check(cell); !e.ok())
                    return e;
            }
            e = checkNodes(n.children, file, data, rowTable, figures);
            break;
        case Node::Row:
            for (const std::string &cell : n.cells) {
                if (e = check(cell); !e.ok())
                    return e;
            }
            break;
        case Node::Rows: {
            const Table *t = data.table(n.argument);
            if (!t)
                return { DatabaseError::TableNotFound,
                         (where(file, n.line)
                          + QStringLiteral(": pede as linhas da tabela %1, que o banco de dados "
                                           "\"%2\" não tem.")
                                    .arg(qs(n.argument), QFileInfo(data.file).absoluteFilePath()))
                                 .toStdString() };
            for (const std::string &cell : n.cells) {
                if (e = checkText(cell, file, n.line, data, t, false); !e.ok())
                    return e;
            }
            break;
        }
        case Node::If:
            if (e = check(n.left); e.ok())
                e = check(n.right);
            if (e.ok())
                e = checkNodes(n.children, file, data, rowTable, figures);
            if (e.ok())
                e = checkNodes(n.otherwise, file, data, rowTable, figures);
            break;
        case Node::PageBreak:
            break;
        }
        if (!e.ok())
            return e;
    }
    return {};
}

bool conditionHolds(const Node &n, const Context &c)
{
    const std::string l = trimmed(expand(n.left, c));
    const std::string r = trimmed(expand(n.right, c));
    bool equal = l == r;
    // Numbers are compared as numbers: "0" and "0,000" are the same crack width.
    const std::optional<double> ln = TryTextToNumber(l, 8);
    const std::optional<double> rn = TryTextToNumber(r, 8);
    if (!l.empty() && !r.empty() && ln && rn)
        equal = *ln == *rn;
    return n.op == "=" ? equal : !equal;
}

// ---- Laying out --------------------------------------------------------------------------

/// Draws the report's figures, kept by index in the document, with the scene painter: the same
/// painter as the results window's pictures, so the PDF holds lines and texts, not pixels.
class FigureObject : public QObject, public QTextObjectInterface
{
    Q_OBJECT
    Q_INTERFACES(QTextObjectInterface)

public:
    explicit FigureObject(const std::vector<draw::Scene> &scenes, QSizeF size)
        : m_scenes(scenes), m_size(size)
    {
    }

    QSizeF intrinsicSize(QTextDocument *, int, const QTextFormat &) override { return m_size; }

    void drawObject(QPainter *painter, const QRectF &rect, QTextDocument *, int,
                    const QTextFormat &format) override
    {
        const int index = format.property(kFigureIndexProperty).toInt();
        if (index < 0 || static_cast<std::size_t>(index) >= m_scenes.size())
            return;
        draw::ScenePainter::Options options;
        options.margin = 0.02;
        draw::ScenePainter::paintFitted(*painter, m_scenes[static_cast<std::size_t>(index)], rect,
                                        options);
    }

private:
    const std::vector<draw::Scene> &m_scenes;
    QSizeF m_size;
};

class Builder
{
public:
    Builder(QTextDocument &doc, const ReportData &data, const Options &options,
            const RegionalSettings &regional, std::vector<draw::Scene> &scenes)
        : m_cursor(&doc), m_data(data), m_options(options), m_scenes(scenes)
    {
        m_context.data = &data;
        m_context.regional = &regional;
        m_context.title = options.title;
        m_context.date = options.date.toString(QStringLiteral("dd/MM/yyyy"));
    }

    /// Lengths of the text formats (margins, padding, borders) are pixels of a 96 dpi screen,
    /// which the layout scales to the device it lays out for.
    static double pt(double points) { return points * 96.0 / 72.0; }

    void build(const std::vector<Node> &nodes)
    {
        for (const Node &n : nodes)
            node(n);
    }

private:
    QTextCharFormat charFormat(double points, bool bold = false, bool italic = false) const
    {
        QTextCharFormat f;
        f.setFontFamilies({ QString::fromLatin1(kFontFamily) });
        f.setFontPointSize(points);
        f.setFontWeight(bold ? QFont::Bold : QFont::Normal);
        f.setFontItalic(italic);
        // No ligatures: "fi" of "específico" stays two letters that a reader can search for
        // and copy.
        f.setFontStyleStrategy(QFont::PreferNoShaping);
        return f;
    }

    void block(const QTextBlockFormat &format, const QTextCharFormat &chars, const QString &text)
    {
        if (m_first) {
            m_cursor.setBlockFormat(format);
            m_cursor.setBlockCharFormat(chars);
            m_first = false;
        } else {
            m_cursor.insertBlock(format, chars);
        }
        // Line breaks of a text (the notes) stay inside the paragraph.
        QString t = text;
        t.replace(QLatin1String("\r\n"), QString(QChar::LineSeparator));
        t.replace(QLatin1Char('\n'), QChar::LineSeparator);
        m_cursor.insertText(t, chars);
    }

    void node(const Node &n)
    {
        switch (n.kind) {
        case Node::Title: {
            QTextBlockFormat b;
            b.setAlignment(Qt::AlignHCenter);
            b.setBottomMargin(pt(10));
            block(b, charFormat(15, true), qs(expand(n.text, m_context)));
            break;
        }
        case Node::Section: {
            QTextBlockFormat b;
            b.setTopMargin(pt(12));
            b.setBottomMargin(pt(4));
            b.setPageBreakPolicy(QTextFormat::PageBreak_Auto);
            block(b, charFormat(11.5, true), qs(expand(n.text, m_context)));
            break;
        }
        case Node::Paragraph: {
            QTextBlockFormat b;
            b.setBottomMargin(pt(3));
            block(b, charFormat(9.5), qs(expand(n.text, m_context)));
            break;
        }
        case Node::PageBreak: {
            QTextBlockFormat b;
            b.setPageBreakPolicy(QTextFormat::PageBreak_AlwaysBefore);
            block(b, charFormat(9.5), QString());
            break;
        }
        case Node::Figure:
            figure(n);
            break;
        case Node::Table:
            table(n);
            break;
        case Node::If:
            build(conditionHolds(n, m_context) ? n.children : n.otherwise);
            break;
        case Node::Row:
        case Node::Rows:
            break; // only inside a table
        }
    }

    void figure(const Node &n)
    {
        std::optional<draw::Scene> scene;
        if (m_options.figures)
            scene = m_options.figures(lower(n.argument), m_data);
        QTextBlockFormat b;
        b.setAlignment(Qt::AlignHCenter);
        b.setTopMargin(pt(6));
        if (!scene) {
            // Without a figure the place says so, rather than leaving a silent gap.
            block(b, charFormat(9, false, true),
                  QStringLiteral("[figura \"%1\" não disponível]").arg(qs(n.argument)));
        } else {
            m_scenes.push_back(std::move(*scene));
            block(b, charFormat(9.5), QString());
            QTextCharFormat object;
            object.setObjectType(kFigureObjectType);
            object.setProperty(kFigureIndexProperty, static_cast<int>(m_scenes.size() - 1));
            m_cursor.insertText(QString(QChar::ObjectReplacementCharacter), object);
        }
        QTextBlockFormat caption;
        caption.setAlignment(Qt::AlignHCenter);
        caption.setBottomMargin(pt(6));
        block(caption, charFormat(8.5, false, true), qs(expand(n.text, m_context)));
    }

    static bool numeric(const std::string &text)
    {
        const std::string t = trimmed(text);
        return !t.empty() && TryTextToNumber(t, 8).has_value();
    }

    void table(const Node &n)
    {
        // The rows first: the table's size is known before it is inserted.
        std::vector<std::vector<std::string>> rows;
        for (const Node &child : n.children) {
            if (child.kind == Node::Row) {
                std::vector<std::string> cells;
                for (const std::string &cell : child.cells)
                    cells.push_back(expand(cell, m_context));
                rows.push_back(std::move(cells));
            } else if (child.kind == Node::Rows) {
                const Table *t = m_data.table(child.argument);
                for (const std::vector<std::string> &row : t->rows) {
                    Context c = m_context;
                    c.rowTable = t;
                    c.row = &row;
                    std::vector<std::string> cells;
                    for (const std::string &cell : child.cells)
                        cells.push_back(expand(cell, c));
                    rows.push_back(std::move(cells));
                }
            }
        }
        const bool hasHeader = !n.cells.empty();
        std::size_t columns = n.cells.size();
        for (const auto &r : rows)
            columns = std::max(columns, r.size());
        if (columns == 0)
            return;
        // A column of numbers is aligned on the right, as an engineer reads a table.
        std::vector<bool> right(columns, true);
        std::vector<bool> seen(columns, false);
        for (const auto &r : rows) {
            for (std::size_t i = 0; i < r.size(); ++i) {
                if (trimmed(r[i]).empty())
                    continue;
                seen[i] = true;
                right[i] = right[i] && numeric(r[i]);
            }
        }

        QTextBlockFormat before;
        block(before, charFormat(4), QString());
        QTextTableFormat format;
        format.setBorder(pt(0.5));
        format.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
        format.setBorderBrush(QColor(90, 90, 90));
        format.setCellSpacing(0);
        format.setCellPadding(pt(2.5));
        format.setBorderCollapse(true);
        format.setWidth(QTextLength(QTextLength::PercentageLength, 100));
        format.setHeaderRowCount(hasHeader ? 1 : 0);
        format.setTopMargin(pt(2));
        format.setBottomMargin(pt(4));
        const int rowCount = static_cast<int>(rows.size()) + (hasHeader ? 1 : 0);
        if (rowCount == 0)
            return;
        QTextTable *table = m_cursor.insertTable(rowCount, static_cast<int>(columns), format);
        auto fill = [&](int row, std::size_t column, const std::string &text, bool header) {
            QTextTableCell cell = table->cellAt(row, static_cast<int>(column));
            QTextCursor c = cell.firstCursorPosition();
            QTextBlockFormat b;
            b.setAlignment(!header && seen[column] && right[column] ? Qt::AlignRight
                                                                    : Qt::AlignLeft);
            c.setBlockFormat(b);
            QTextTableCellFormat cf;
            cf.setBorder(pt(0.5));
            cf.setBorderStyle(QTextFrameFormat::BorderStyle_Solid);
            cf.setBorderBrush(QColor(150, 150, 150));
            if (header)
                cf.setBackground(QColor(225, 225, 225));
            cell.setFormat(cf);
            c.insertText(qs(text), charFormat(9, header));
        };
        int r = 0;
        if (hasHeader) {
            for (std::size_t i = 0; i < n.cells.size(); ++i)
                fill(r, i, expand(n.cells[i], m_context), true);
            ++r;
        }
        for (const auto &row : rows) {
            for (std::size_t i = 0; i < row.size(); ++i)
                fill(r, i, row[i], false);
            ++r;
        }
        m_cursor.movePosition(QTextCursor::End);
    }

    QTextCursor m_cursor;
    const ReportData &m_data;
    const Options &m_options;
    std::vector<draw::Scene> &m_scenes;
    Context m_context;
    bool m_first = true;
};

// ---- Parsing -----------------------------------------------------------------------------

Node makeNode(Node::Kind kind, int line)
{
    Node n;
    n.kind = kind;
    n.line = line;
    return n;
}

struct Parser
{
    QString file;
    Template &out;

    /// The open blocks: the body, then each open table or `se` (and which branch of it).
    struct Open
    {
        Node *node = nullptr;
        bool otherwise = false;
    };
    std::vector<Open> open;

    std::vector<Node> &current()
    {
        if (open.empty())
            return out.body;
        Open &o = open.back();
        return o.otherwise ? o.node->otherwise : o.node->children;
    }

    Node *innerTable()
    {
        return !open.empty() && open.back().node->kind == Node::Table ? open.back().node : nullptr;
    }

    ErrorPair line(int number, const std::string &raw)
    {
        const std::string text = trimmed(raw);
        if (text.empty() || text[0] == '#')
            return {};
        const std::size_t colon = text.find(':');
        const std::string head = trimmed(text.substr(0, colon));
        const std::string rest =
                colon == std::string::npos ? std::string() : trimmed(text.substr(colon + 1));
        const std::size_t blank = head.find_first_of(" \t");
        const std::string keyword = lower(head.substr(0, blank));
        const std::string argument =
                blank == std::string::npos ? std::string() : trimmed(head.substr(blank + 1));

        // `se` has no colon: "se {RSVDAT.rsvdatent} = -1".
        if (keyword == "se")
            return condition(number, trimmed(text.substr(2)));
        if (keyword == "senão" || keyword == "senao") {
            if (open.empty() || open.back().node->kind != Node::If || open.back().otherwise)
                return syntax(file, number, QStringLiteral("\"senão\" sem um \"se\" antes."));
            open.back().otherwise = true;
            return {};
        }
        if (keyword == "fim") {
            if (open.empty())
                return syntax(file, number, QStringLiteral("\"fim\" sem bloco aberto."));
            open.pop_back();
            return {};
        }
        if (keyword == "quebra") {
            Node n = makeNode(Node::PageBreak, number);
            current().push_back(std::move(n));
            return {};
        }
        if (colon == std::string::npos)
            return syntax(file, number,
                          QStringLiteral("falta \":\" depois de \"%1\".").arg(qs(keyword)));

        Node *tableNode = innerTable();
        if (keyword == "linha" || keyword == "linhas") {
            if (!tableNode)
                return syntax(file, number,
                              QStringLiteral("\"%1\" fora de uma tabela.").arg(qs(keyword)));
            Node n = makeNode(keyword == "linha" ? Node::Row : Node::Rows, number);
            n.cells = splitCells(rest);
            n.argument = argument;
            if (n.kind == Node::Rows && argument.empty())
                return syntax(file, number,
                              QStringLiteral("\"linhas\" pede o nome da tabela: linhas RSVARM: …"));
            tableNode->children.push_back(std::move(n));
            return {};
        }
        if (tableNode)
            return syntax(file, number,
                          QStringLiteral("dentro de uma tabela só há \"linha\", \"linhas\" e "
                                         "\"fim\"."));

        if (keyword == "cabecalho" || keyword == "cabeçalho") {
            if (!open.empty())
                return syntax(file, number,
                              QStringLiteral("o cabeçalho não pode estar num bloco."));
            out.header.push_back(rest);
            return checkBraces(number, rest);
        }
        if (keyword == "rodape" || keyword == "rodapé") {
            if (!open.empty())
                return syntax(file, number, QStringLiteral("o rodapé não pode estar num bloco."));
            out.footer.push_back(rest);
            return checkBraces(number, rest);
        }
        Node n = makeNode(Node::Paragraph, number);
        n.text = rest;
        if (keyword == "titulo" || keyword == "título") {
            n.kind = Node::Title;
        } else if (keyword == "secao" || keyword == "seção") {
            n.kind = Node::Section;
        } else if (keyword == "texto") {
            n.kind = Node::Paragraph;
        } else if (keyword == "figura") {
            n.kind = Node::Figure;
            n.argument = argument;
        } else if (keyword == "tabela") {
            n.kind = Node::Table;
            n.text.clear();
            if (!rest.empty())
                n.cells = splitCells(rest);
            current().push_back(std::move(n));
            open.push_back({ &current().back(), false });
            return {};
        } else {
            return syntax(file, number,
                          QStringLiteral("a instrução \"%1\" não existe.").arg(qs(keyword)));
        }
        current().push_back(std::move(n));
        return checkBraces(number, rest);
    }

    ErrorPair checkBraces(int number, const std::string &text)
    {
        if (!forEachField(text, [](const FieldRef &) {}))
            return syntax(file, number, QStringLiteral("as chaves { } não se fecham."));
        return {};
    }

    ErrorPair condition(int number, const std::string &expr)
    {
        std::size_t at = expr.find("<>");
        std::string op = "<>";
        if (at == std::string::npos) {
            at = expr.find('=');
            op = "=";
        }
        if (at == std::string::npos)
            return syntax(file, number,
                          QStringLiteral("\"se\" pede uma comparação com = ou <>: "
                                         "se {RSVDAT.rsvdatent} = -1"));
        Node n = makeNode(Node::If, number);
        n.left = trimmed(expr.substr(0, at));
        n.op = op;
        n.right = trimmed(expr.substr(at + op.size()));
        current().push_back(std::move(n));
        open.push_back({ &current().back(), false });
        return {};
    }
};

} // namespace

// ---- Data --------------------------------------------------------------------------------

int Table::column(const std::string &wanted) const
{
    const std::string w = lower(wanted);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (lower(columns[i]) == w)
            return static_cast<int>(i);
    }
    return -1;
}

const Table *ReportData::table(const std::string &name) const
{
    const std::string n = lower(name);
    for (const Table &t : tables) {
        if (lower(t.name) == n)
            return &t;
    }
    return nullptr;
}

std::string ReportData::value(const std::string &tableName, const std::string &column) const
{
    const Table *t = table(tableName);
    if (!t || t->rows.empty())
        return {};
    const int i = t->column(column);
    if (i < 0 || static_cast<std::size_t>(i) >= t->rows.front().size())
        return {};
    return t->rows.front()[static_cast<std::size_t>(i)];
}

ErrorPair LoadReportData(const QString &databaseFile, ReportData &out)
{
    ReportData data;
    data.file = databaseFile;
    Database db;
    if (ErrorPair e = Database::OpenDatabase(databaseFile, db); !e.ok())
        return e;
    std::vector<std::string> names;
    if (ErrorPair e = db.TableNames(names); !e.ok())
        return e;
    for (const std::string &name : names) {
        Recordset rs;
        if (ErrorPair e = db.OpenRecordset("SELECT * FROM " + name, rs); !e.ok())
            return e;
        Table t;
        t.name = name;
        t.columns = rs.FieldNames();
        if (rs.RecordCount() > 0) {
            if (ErrorPair e = rs.MoveFirst(); !e.ok())
                return e;
            while (!rs.Eof()) {
                std::vector<std::string> row;
                for (const std::string &c : t.columns) {
                    std::string v;
                    if (ErrorPair e = rs.GetField(c, v); !e.ok())
                        return e;
                    row.push_back(std::move(v));
                }
                t.rows.push_back(std::move(row));
                if (ErrorPair e = rs.MoveNext(); !e.ok())
                    return e;
            }
        }
        data.tables.push_back(std::move(t));
    }
    (void)db.Close();
    out = std::move(data);
    return {};
}

// ---- Templates ---------------------------------------------------------------------------

ErrorPair ParseTemplate(const std::string &text, const QString &file, Template &out)
{
    Template t;
    t.file = file;
    Parser p{ file, t, {} };
    int number = 0;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        ++number;
        if (ErrorPair e = p.line(number, text.substr(start, end - start)); !e.ok())
            return e;
        start = end + 1;
    }
    if (!p.open.empty())
        return syntax(file, p.open.back().node->line,
                      QStringLiteral("o bloco aberto aqui não tem \"fim\"."));
    out = std::move(t);
    return {};
}

ErrorPair LoadTemplate(const QString &file, Template &out)
{
    const QString path = QFileInfo(file).absoluteFilePath();
    if (!QFileInfo::exists(file))
        return { 53,
                 QStringLiteral("O modelo de relatório \"%1\" não foi encontrado. Reinstale o "
                                "programa ou copie o modelo para essa pasta.")
                         .arg(path)
                         .toStdString() };
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return { 75,
                 QStringLiteral("O modelo de relatório \"%1\" não pôde ser lido (%2).")
                         .arg(path, f.errorString())
                         .toStdString() };
    const QByteArray bytes = f.readAll();
    const QString decoded = QString::fromUtf8(bytes);
    if (decoded.contains(QChar::ReplacementCharacter))
        return { 75,
                 QStringLiteral("O modelo de relatório \"%1\" não está em UTF-8: grave-o com "
                                "essa codificação.")
                         .arg(path)
                         .toStdString() };
    return ParseTemplate(decoded.toStdString(), file, out);
}

// ---- The report --------------------------------------------------------------------------

ErrorPair Report::Create(Template tmpl, ReportData data, Options options,
                         std::unique_ptr<Report> &out)
{
    const QString file = QFileInfo(tmpl.file).absoluteFilePath();
    if (ErrorPair e = checkNodes(tmpl.body, file, data, nullptr, options.figureNames); !e.ok())
        return e;
    for (const std::string &line : tmpl.header) {
        if (ErrorPair e = checkText(line, file, 0, data, nullptr, true); !e.ok())
            return e;
    }
    for (const std::string &line : tmpl.footer) {
        if (ErrorPair e = checkText(line, file, 0, data, nullptr, true); !e.ok())
            return e;
    }
    if (!options.date.isValid())
        options.date = QDate::currentDate();
    std::unique_ptr<Report> report(new Report);
    report->m_template = std::move(tmpl);
    report->m_data = std::move(data);
    report->m_options = std::move(options);
    out = std::move(report);
    return {};
}

int Report::Paint(QPagedPaintDevice &device) const
{
    const double dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 72;
    auto mm = [dpi](double v) { return v * dpi / 25.4; };
    auto pt = [dpi](double v) { return v * dpi / 72.0; };

    // The device keeps its own margins already (a printer's unprintable edge); only the rest of
    // the report's margins is added.
    const QPageLayout page = device.pageLayout();
    const QMarginsF kept = page.mode() == QPageLayout::FullPageMode
            ? QMarginsF()
            : QMarginsF(page.marginsPixels(static_cast<int>(dpi)));
    const double left = std::max(0.0, mm(kMarginLeftMm) - kept.left());
    const double right = std::max(0.0, mm(kMarginRightMm) - kept.right());
    const double top = std::max(0.0, mm(kMarginTopMm) - kept.top());
    const double bottom = std::max(0.0, mm(kMarginBottomMm) - kept.bottom());
    const QRectF canvas(0, 0, device.width(), device.height());

    QFont headerFont(QString::fromLatin1(kFontFamily));
    headerFont.setPointSizeF(8.5);
    headerFont.setStyleStrategy(QFont::PreferNoShaping);
    QFont headerBold = headerFont;
    headerBold.setBold(true);
    const QFontMetricsF metrics(headerFont, &device);
    const double lineHeight = metrics.lineSpacing();
    const double headerHeight = lineHeight * static_cast<double>(m_template.header.size()) + pt(8);
    const double footerHeight = lineHeight * static_cast<double>(m_template.footer.size()) + pt(8);
    const QRectF body(canvas.left() + left, canvas.top() + top + headerHeight,
                      canvas.width() - left - right,
                      canvas.height() - top - bottom - headerHeight - footerHeight);

    QTextDocument doc;
    QFont base(QString::fromLatin1(kFontFamily));
    base.setPointSizeF(9.5);
    base.setStyleStrategy(QFont::PreferNoShaping);
    doc.setDefaultFont(base);
    doc.setDocumentMargin(0);
    doc.setUndoRedoEnabled(false);
    // The content first, the layout after: a layout present while the tables are filled would
    // lay the document out again at every cell.
    std::vector<draw::Scene> scenes;
    const FixedRegionalSettings regional("", "", m_options.decimalSymbol, "");
    Builder builder(doc, m_data, m_options, regional, scenes);
    builder.build(m_template.body);
    FigureObject figures(scenes, QSizeF(mm(kFigureWidthMm), mm(kFigureHeightMm)));
    doc.documentLayout()->setPaintDevice(&device);
    doc.documentLayout()->registerHandler(kFigureObjectType, &figures);
    doc.setPageSize(body.size());
    const int pages = std::max(1, doc.pageCount());

    Context c;
    c.data = &m_data;
    c.regional = &regional;
    c.title = m_options.title;
    c.date = m_options.date.toString(QStringLiteral("dd/MM/yyyy"));
    c.pages = pages;

    QPainter painter(&device);
    painter.setRenderHint(QPainter::Antialiasing, true);
    const QPen rule(QColor(60, 60, 60), pt(0.5));
    for (int page = 0; page < pages; ++page) {
        if (page > 0)
            device.newPage();
        c.page = page + 1;
        // Header: the first line stands out (the program's title), a rule under the rest.
        double y = canvas.top() + top;
        for (std::size_t i = 0; i < m_template.header.size(); ++i) {
            painter.setFont(i == 0 ? headerBold : headerFont);
            painter.setPen(Qt::black);
            painter.drawText(QRectF(body.left(), y, body.width(), lineHeight),
                             Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                             qs(expand(m_template.header[i], c)));
            y += lineHeight;
        }
        if (!m_template.header.empty()) {
            painter.setPen(rule);
            painter.drawLine(QPointF(body.left(), y + pt(3)), QPointF(body.right(), y + pt(3)));
        }
        // Footer: a rule, then its lines on the right.
        double fy = body.bottom() + pt(6);
        if (!m_template.footer.empty()) {
            painter.setPen(rule);
            painter.drawLine(QPointF(body.left(), fy), QPointF(body.right(), fy));
        }
        fy += pt(2);
        painter.setFont(headerFont);
        for (const std::string &line : m_template.footer) {
            painter.setPen(Qt::black);
            painter.drawText(QRectF(body.left(), fy, body.width(), lineHeight),
                             Qt::AlignRight | Qt::AlignVCenter | Qt::TextSingleLine,
                             qs(expand(line, c)));
            fy += lineHeight;
        }
        // The page's slice of the document.
        painter.save();
        painter.translate(body.left(), body.top() - page * body.height());
        QAbstractTextDocumentLayout::PaintContext context;
        context.clip = QRectF(0, page * body.height(), body.width(), body.height());
        painter.setClipRect(context.clip);
        context.palette.setColor(QPalette::Text, Qt::black);
        doc.documentLayout()->draw(&painter, context);
        painter.restore();
    }
    painter.end();
    return pages;
}

ErrorPair Report::WritePdf(const QString &pdfFile) const
{
    const QString path = QFileInfo(pdfFile).absoluteFilePath();
    if (!QFileInfo(QFileInfo(pdfFile).absolutePath()).isDir())
        return { 76,
                 QStringLiteral("A pasta do arquivo \"%1\" não existe; o relatório não foi "
                                "gravado.")
                         .arg(path)
                         .toStdString() };
    QSaveFile out(pdfFile);
    if (!out.open(QIODevice::WriteOnly))
        return { 75,
                 QStringLiteral("O relatório não pôde ser gravado em \"%1\" (%2).")
                         .arg(path, out.errorString())
                         .toStdString() };
    {
        QPdfWriter pdf(&out);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageOrientation(QPageLayout::Portrait);
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter);
        pdf.setResolution(600);
        pdf.setCreator(m_options.title);
        pdf.setTitle(QStringLiteral("%1 - %2").arg(m_options.title,
                                                   qs(m_data.value("RSVLGD", "rsvlgdPRJ"))));
        (void)Paint(pdf);
    }
    if (!out.commit())
        return { 75,
                 QStringLiteral("O relatório não pôde ser gravado em \"%1\" (%2).")
                         .arg(path, out.errorString())
                         .toStdString() };
    return {};
}

} // namespace ReportEngine

#include "ReportEngine.moc"
