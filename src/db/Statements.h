#pragma once
// Every statement the program issues, as named operations with bound values.
// Book keys and local numbers are decimal texts; a day is "yyyy/mm/dd". Text comparisons in the
// conditions ignore the case of ASCII letters.
#include <string>
#include <vector>

#include "db/SqlStatement.h"

namespace Sql {

// Schema of a new file, in order: the three tables, then their lookup indexes.
std::vector<SqlStatement> SchemaStatements();
// Lookup indexes; created with the schema and, when missing, on opening an older file.
std::vector<SqlStatement> IndexStatements();

// Books.
SqlStatement SelectAllBooks();                                    // id, cid, name, address, startadr, endadr, ddimg, type
SqlStatement SelectBookByAddress(const std::string& address);    // is this address stored already
SqlStatement InsertBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category);
SqlStatement SelectMaxBookId();                                  // the id of the book just added
SqlStatement UpdateBook(const std::string& name, const std::string& address,
                        const std::string& startadr, const std::string& endadr,
                        const std::string& ddimg, int category, const std::string& bookKey);
SqlStatement DeleteBook(const std::string& bookKey);

// Chapters.
SqlStatement DeleteBookChapters(const std::string& bookKey);      // every chapter row of a book
SqlStatement SelectBookChapters(const std::string& bookKey);      // grid, export, poster, List.htm
// Its row count is a book's unread count.
SqlStatement SelectUnreadChapters(const std::string& bookKey);
SqlStatement SelectMaxChapterNumber(const std::string& bookKey);  // one row; empty when no chapter
// addressb, namec, address, type of the chapter found at a source address (none when new).
SqlStatement SelectChapterBySource(const std::string& bookKey, const std::string& addressb);
// A newly listed chapter: not fetched, unread.
SqlStatement InsertChapter(const std::string& bookKey, const std::string& bookName,
                           const std::string& title, const std::string& number,
                           const std::string& addressb);
// Fetch state of one chapter: stored on `day`; pictures still coming; pictures done (code 1 or
// 2, the latter when one failed).
SqlStatement MarkChapterStored(const std::string& bookKey, const std::string& addressb,
                               const std::string& day);
SqlStatement MarkChapterPicturesPending(const std::string& bookKey, const std::string& addressb);
SqlStatement FinishChapterPictures(const std::string& bookKey, const std::string& addressb,
                                   int code, const std::string& day);
// Hides the chapters with these local numbers for good.
SqlStatement RemoveChapters(const std::string& bookKey, const std::vector<std::string>& numbers);
// Read marks: one chapter, all of a book, or those numbered after / before a chapter (that
// chapter itself keeps its mark).
SqlStatement MarkChapterUnread(const std::string& bookKey, const std::string& addressb);
SqlStatement MarkChapterRead(const std::string& bookKey, const std::string& addressb);
SqlStatement MarkAllUnread(const std::string& bookKey);
SqlStatement MarkAllRead(const std::string& bookKey);
SqlStatement MarkUnreadAfter(const std::string& bookKey, const std::string& number);
SqlStatement MarkReadBefore(const std::string& bookKey, const std::string& number);
// Chapters to fetch again (addressb, namec, address): not fetched yet; or also missing pictures.
SqlStatement SelectBlankChapters(const std::string& bookKey);
SqlStatement SelectChaptersMissingPictures(const std::string& bookKey);

// Rules.
SqlStatement SelectRuleByHost(const std::string& host);  // cid, mlstart, mlend, nrstart, nrend, delword, dellink, yuming
SqlStatement SelectRuleNameByHost(const std::string& host);  // shown for a book's site
SqlStatement SelectRuleIdByHost(const std::string& host);  // is there a rule for this host
SqlStatement SelectAllRules();                            // the rule editor's rows
SqlStatement AddDellinkColumn();                          // files of earlier versions lack it
SqlStatement SelectRuleForImport(const std::string& host);  // the rule an import replaces

}  // namespace Sql
