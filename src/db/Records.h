#pragma once
// Plain records shared across layers.
#include <string>

// A book: the data of a book node in the library tree, mirroring a `bookid` row with the
// unread count in the place of `cid`.
struct TMType {
    std::string id;  // the book key: `bookid`.`id` in decimal
    int unread = 0;
    std::string name;
    std::string address;
    std::string startadr;
    std::string endadr;
    std::string ddimg;  // "1" or "0"
    int type = 0;       // category 0, 1 or 2
};

// A collection rule: one `webinfo` row.
struct TMGzin {
    int cid = 0;
    std::string mlstart;
    std::string mlend;
    std::string nrstart;
    std::string nrend;
    std::string delword;
    std::string dellink;
    std::string yuming;
};
