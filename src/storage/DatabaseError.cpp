#include "storage/DatabaseError.h"

#include <QDir>
#include <QSqlError>

namespace DatabaseError {

namespace {

std::string quoted(const QString &file)
{
    return "\"" + QDir::toNativeSeparators(file).toStdString() + "\"";
}

std::string description(Number number, const std::string &f, const std::string &d)
{
    switch (number) {
    case DeviceIO:
        return "Erro de entrada/saída ao acessar o banco de dados " + f
                + ". Verifique o disco e tente novamente.";
    case DiskFull:
        return "Disco cheio ao gravar o banco de dados " + f
                + ". Libere espaço em disco e tente novamente; o conteúdo anterior do arquivo "
                  "foi mantido.";
    case PermissionDenied:
        return "Permissão negada ao acessar o banco de dados " + f
                + ". Verifique se o arquivo e a pasta permitem leitura e gravação (o arquivo "
                  "pode estar marcado como somente leitura).";
    case PathFileAccess:
        return "O caminho " + f
                + " não pode ser usado como arquivo de banco de dados (é uma pasta ou não pode "
                  "ser aberto). Escolha outro arquivo.";
    case PathNotFound:
        return "A pasta do arquivo " + f + " não existe. Verifique o caminho do arquivo.";
    case TableExists:
        return "A tabela " + d + " já existe no banco de dados " + f + ".";
    case UpdateWithoutEdit:
        return "Não há edição de registro em andamento no banco de dados " + f
                + " (Edit ou AddNew não foi chamado).";
    case NoCurrentRecord:
        return "Não há registro atual no banco de dados " + f + " (tabela vazia ou fim da tabela).";
    case DuplicateValue:
        return "A gravação criaria um valor repetido num campo que não admite repetição, no "
               "banco de dados "
                + f + ". O conteúdo anterior foi mantido.";
    case FileNotFound:
        return "O arquivo " + f + " não foi encontrado. Verifique o nome e a pasta do arquivo.";
    case NoTransaction:
        return "Não há transação iniciada no banco de dados " + f + " para confirmar ou desfazer.";
    case Corrupted:
        return "O arquivo " + f
                + " está danificado e não pode ser lido como banco de dados. Use uma cópia de "
                  "segurança do arquivo.";
    case UnknownCriteriaField:
        return "O campo " + d + " do critério de busca não existe na tabela do banco de dados " + f
                + ".";
    case CriteriaSyntax:
        return "Critério de busca inválido: \"" + d + "\". Use a forma CAMPO = número.";
    case TableNotFound:
        return "A tabela " + d + " não existe no banco de dados " + f
                + ". Verifique se escolheu o arquivo certo.";
    case InvalidSelect:
        return "Consulta não suportada: \"" + d
                + "\". Use SELECT * FROM seguido do nome de uma "
                  "tabela.";
    case RecordDeleted:
        return "O registro foi excluído do banco de dados " + f
                + "; não há mais o que alterar ou excluir.";
    case DatabaseExists:
        return "O arquivo " + f
                + " já existe. O novo banco de dados não foi criado e o arquivo existente não "
                  "foi alterado.";
    case Locked:
        return "O banco de dados " + f
                + " está bloqueado por outro programa. Feche o outro programa e tente "
                  "novamente.";
    case ItemNotFound:
        return "O campo " + d + " não existe na tabela do banco de dados " + f
                + ". Verifique se escolheu o arquivo certo.";
    case SqlSyntax:
        return "Erro de sintaxe na instrução SQL executada no banco de dados " + f + ": " + d + ".";
    case ConstraintViolated:
        return "A gravação viola uma regra da tabela no banco de dados " + f
                + ". O conteúdo anterior foi mantido.";
    case UnrecognizedFormat:
        return "O arquivo " + f
                + " não é um banco de dados reconhecido (formato não reconhecido). Verifique se "
                  "escolheu o arquivo certo.";
    case ObjectClosed:
        return "O banco de dados ou a tabela " + f + " já foi fechado.";
    case TypeConversion:
        return "Tipo de dado incompatível ao gravar no banco de dados " + f + ".";
    case EngineError:
        break;
    }
    return "Erro do mecanismo de banco de dados em " + f + (d.empty() ? "" : ": " + d) + ".";
}

/// "no such table: X" → "X".
std::string afterColon(const std::string &text)
{
    const auto colon = text.find(':');
    return colon == std::string::npos
            ? text
            : QString::fromStdString(text.substr(colon + 1)).trimmed().toStdString();
}

} // namespace

ErrorPair Make(Number number, const QString &file, const std::string &detail)
{
    return { number, description(number, quoted(file), detail) };
}

ErrorPair FromSql(const QSqlError &error, const QString &file)
{
    // The driver reports SQLite's result code; the low byte is the primary code whether or not
    // extended codes are on.
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xFF;
    const std::string text = error.databaseText().toStdString();
    if (!numeric)
        return Make(EngineError, file, error.text().toStdString());
    switch (code) {
    case 1: // SQLITE_ERROR: a statement the engine refused
        if (text.find("no such table") != std::string::npos)
            return Make(TableNotFound, file, afterColon(text));
        if (text.find("already exists") != std::string::npos)
            return Make(TableExists, file, text.substr(0, text.find(" already exists")));
        if (text.find("syntax error") != std::string::npos)
            return Make(SqlSyntax, file, text);
        return Make(EngineError, file, text);
    case 3: // SQLITE_PERM
    case 8: // SQLITE_READONLY
    case 23: // SQLITE_AUTH
    // The file itself was found readable before it was opened; what cannot be opened later is
    // its journal, in a folder that refuses writing.
    case 14: // SQLITE_CANTOPEN
        return Make(PermissionDenied, file);
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return Make(Locked, file);
    case 10: // SQLITE_IOERR
        return Make(DeviceIO, file);
    case 11: // SQLITE_CORRUPT
        return Make(Corrupted, file);
    case 13: // SQLITE_FULL
        return Make(DiskFull, file);
    case 19: // SQLITE_CONSTRAINT
        if (text.find("UNIQUE") != std::string::npos
            || text.find("PRIMARY KEY") != std::string::npos)
            return Make(DuplicateValue, file);
        return Make(ConstraintViolated, file);
    case 20: // SQLITE_MISMATCH
        return Make(TypeConversion, file);
    case 26: // SQLITE_NOTADB
        return Make(UnrecognizedFormat, file);
    default:
        return Make(EngineError, file, text.empty() ? error.text().toStdString() : text);
    }
}

std::string QuotedValue(std::string_view text)
{
    constexpr std::size_t kShown = 40;
    std::size_t end = 0;
    std::size_t characters = 0;
    // Counted in characters, so that a cut never splits one of UTF-8's multi-byte sequences.
    while (end < text.size() && characters < kShown) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            ++end;
        ++characters;
    }
    std::string out = "\"";
    out += text.substr(0, end);
    if (end < text.size())
        out += "...";
    return out + "\"";
}

} // namespace DatabaseError
