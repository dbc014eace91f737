#include "db/Statements.h"

#include <charconv>

// Text columns compare without letter case (NOCASE folds ASCII letters, which is what hosts,
// addresses and book keys need); every value is bound, never spliced into the text.

namespace {

// A key or number that is a decimal integer is bound as one, so that it meets integer columns
// and CAST(...) as a number; anything else is bound as text and simply matches nothing.
SqlValue Number(const std::string& text)
{
    long long value = 0;
    const char* end = text.data() + text.size();
    auto [stop, ec] = std::from_chars(text.data(), end, value);
    if (!text.empty() && ec == std::errc() && stop == end)
        return value;
    return text;
}

SqlStatement Make(std::string sql, std::vector<SqlValue> params = {})
{
    return SqlStatement{std::move(sql), std::move(params)};
}

}  // namespace

namespace Sql {

std::vector<SqlStatement> SchemaStatements()
{
    std::vector<SqlStatement> statements = {
        Make("CREATE TABLE bookid (id INTEGER PRIMARY KEY AUTOINCREMENT, cid INTEGER, "
             "name TEXT COLLATE NOCASE, address TEXT COLLATE NOCASE, "
             "startadr TEXT COLLATE NOCASE, endadr TEXT COLLATE NOCASE, ddimg INTEGER, "
             "type INTEGER)"),
        Make("CREATE TABLE booktit (id INTEGER PRIMARY KEY AUTOINCREMENT, "
             "name TEXT COLLATE NOCASE, nameb TEXT COLLATE NOCASE, namec TEXT COLLATE NOCASE, "
             "address TEXT COLLATE NOCASE, addressb TEXT COLLATE NOCASE, dtime TEXT, "
             "type INTEGER, typeb INTEGER)"),
        Make("CREATE TABLE webinfo (cid INTEGER PRIMARY KEY AUTOINCREMENT, "
             "name TEXT COLLATE NOCASE, yuming TEXT COLLATE NOCASE, "
             "mlstart TEXT COLLATE NOCASE, mlend TEXT COLLATE NOCASE, "
             "nrstart TEXT COLLATE NOCASE, nrend TEXT COLLATE NOCASE, "
             "delword TEXT COLLATE NOCASE, dellink TEXT COLLATE NOCASE)"),
    };
    // The lookups belong to a new file from the start, whoever runs these statements.
    for (SqlStatement& index : IndexStatements())
        statements.push_back(std::move(index));
    return statements;
}

std::vector<SqlStatement> IndexStatements()
{
    return {
        // A chapter is looked up by its source address before it is inserted or updated.
        Make("CREATE INDEX IF NOT EXISTS booktit_name_addressb ON booktit (name, addressb)"),
        // A book's chapters in order, its highest local number, removal by local numbers.
        Make("CREATE INDEX IF NOT EXISTS booktit_name_address ON booktit (name, address)"),
        // The unread count of every book is read from this index alone, without the rows.
        Make("CREATE INDEX IF NOT EXISTS booktit_name_typeb_type ON booktit (name, typeb, type)"),
        Make("CREATE INDEX IF NOT EXISTS bookid_address ON bookid (address)"),
        Make("CREATE INDEX IF NOT EXISTS webinfo_yuming ON webinfo (yuming)"),
    };
}

// Books.

SqlStatement SelectAllBooks()
{
    return Make("Select * From bookid");
}

SqlStatement SelectBookByAddress(const std::string& address)
{
    return Make("Select * From bookid where address=?", {address});
}

SqlStatement InsertBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category)
{
    return Make("insert into bookid(name, address, startadr, endadr, ddimg, type) "
                "values(?,?,?,?,?,?)",
                {name, address, startadr, endadr, Number(ddimg), static_cast<long long>(category)});
}

SqlStatement SelectMaxBookId()
{
    return Make("Select max(id) From bookid");
}

SqlStatement UpdateBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category, const std::string& bookKey)
{
    return Make("update bookid set name=?,address=?,startadr=?,endadr=?,ddimg=?,type=? "
                "where id=?",
                {name, address, startadr, endadr, Number(ddimg), static_cast<long long>(category),
                 Number(bookKey)});
}

SqlStatement DeleteBook(const std::string& bookKey)
{
    return Make("delete from bookid where id=?", {Number(bookKey)});
}

// Chapters. `name` holds the book key as text.

SqlStatement DeleteBookChapters(const std::string& bookKey)
{
    return Make("delete from booktit where name=?", {bookKey});
}

SqlStatement SelectBookChapters(const std::string& bookKey)
{
    return Make("Select * From booktit where name=? and type>-1 order by address asc", {bookKey});
}

SqlStatement SelectUnreadChapters(const std::string& bookKey)
{
    return Make("select name from booktit where name=? and type>-1 and typeb=0", {bookKey});
}

SqlStatement SelectMaxChapterNumber(const std::string& bookKey)
{
    return Make("Select max(address) From booktit where name=?", {bookKey});
}

SqlStatement SelectChapterBySource(const std::string& bookKey, const std::string& addressb)
{
    return Make("Select addressb,namec,address,type From booktit where name=? and addressb=?",
                {bookKey, addressb});
}

SqlStatement InsertChapter(const std::string& bookKey, const std::string& bookName,
                           const std::string& title, const std::string& number,
                           const std::string& addressb)
{
    // A new chapter is listed (not fetched yet) and unread.
    return Make("insert into booktit(name,nameb,namec,address,addressb,type,typeb) "
                "values(?,?,?,?,?,0,0)",
                {bookKey, bookName, title, number, addressb});
}

SqlStatement MarkChapterStored(const std::string& bookKey, const std::string& addressb,
                               const std::string& day)
{
    return Make("update booktit set type=1,dtime=? where name=? and addressb=?",
                {day, bookKey, addressb});
}

SqlStatement MarkChapterPicturesPending(const std::string& bookKey, const std::string& addressb)
{
    return Make("update booktit set type=2 where name=? and addressb=?", {bookKey, addressb});
}

SqlStatement FinishChapterPictures(const std::string& bookKey, const std::string& addressb,
                                   int code, const std::string& day)
{
    return Make("update booktit set type=?,dtime=? where name=? and addressb=?",
                {static_cast<long long>(code), day, bookKey, addressb});
}

SqlStatement RemoveChapters(const std::string& bookKey, const std::vector<std::string>& numbers)
{
    // "0" keeps the list from being empty; no chapter has that number.
    std::string sql = "update booktit set type=-1 where name=? and address in (?";
    std::vector<SqlValue> params = {bookKey, std::string("0")};
    for (const std::string& number : numbers) {
        sql += ",?";
        params.emplace_back(number);
    }
    sql += ")";
    return Make(std::move(sql), std::move(params));
}

SqlStatement MarkChapterUnread(const std::string& bookKey, const std::string& addressb)
{
    return Make("update booktit set typeb=0 where name=? and addressb=?", {bookKey, addressb});
}

SqlStatement MarkChapterRead(const std::string& bookKey, const std::string& addressb)
{
    return Make("update booktit set typeb=1 where name=? and addressb=?", {bookKey, addressb});
}

SqlStatement MarkAllUnread(const std::string& bookKey)
{
    return Make("update booktit set typeb=0 where name=?", {bookKey});
}

SqlStatement MarkAllRead(const std::string& bookKey)
{
    return Make("update booktit set typeb=1 where name=?", {bookKey});
}

SqlStatement MarkUnreadAfter(const std::string& bookKey, const std::string& number)
{
    return Make("update booktit set typeb=0 where name=? and CAST(address AS INTEGER)>?",
                {bookKey, Number(number)});
}

SqlStatement MarkReadBefore(const std::string& bookKey, const std::string& number)
{
    return Make("update booktit set typeb=1 where name=? and CAST(address AS INTEGER)<?",
                {bookKey, Number(number)});
}

SqlStatement SelectBlankChapters(const std::string& bookKey)
{
    return Make("Select addressb,namec,address From booktit where name=? and type=0", {bookKey});
}

SqlStatement SelectChaptersMissingPictures(const std::string& bookKey)
{
    return Make("Select addressb,namec,address From booktit where name=? and (type=0 or type=2)",
                {bookKey});
}

// Rules, found by the host name of an address.

SqlStatement SelectRuleByHost(const std::string& host)
{
    return Make("Select cid,mlstart,mlend,nrstart,nrend,delword,dellink,yuming From webinfo "
                "where yuming=?",
                {host});
}

SqlStatement SelectRuleNameByHost(const std::string& host)
{
    return Make("Select name From webinfo where yuming=?", {host});
}

SqlStatement SelectRuleIdByHost(const std::string& host)
{
    return Make("Select cid From webinfo where yuming=?", {host});
}

SqlStatement SelectAllRules()
{
    return Make("Select * From webinfo");
}

SqlStatement AddDellinkColumn()
{
    return Make("ALTER TABLE webinfo ADD dellink TEXT COLLATE NOCASE");
}

SqlStatement SelectRuleForImport(const std::string& host)
{
    return Make("select * from webinfo where yuming=?", {host});
}

}  // namespace Sql
