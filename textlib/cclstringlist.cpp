#include "textlib/cclstringlist.h"

#include "textlib/directives.h"
#include "textlib/sortarray.h"
#include "textlib/strbasic.h"
#include "textlib/strcompare.h"
#include "textlib/strformat.h"
#include "textlib/strsplit.h"
#include "textlib/textfile.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

CCLListItem* CCLListItemLookUp::Item(int32_t index) const {
    // Every caller stays in range; a bad index must still neither crash nor
    // hand out a line, so it gets a blank item that is reset each time.
    static CCLListItem blank;
    LinkNode* node = LinkList_At(lines_, index);
    if (node) return static_cast<CCLListItem*>(node->payload);
    blank.value = 0;
    blank.spare = 0;
    blank.text.Free();
    return &blank;
}

// --- CCLStringListBase

CCLStringListBase::CCLStringListBase() : Items(nullptr), lines_(LinkList_New(0)) {
    Items = CCLListItemLookUp(lines_);
    scratch_[0] = '\0';
}

CCLStringListBase::~CCLStringListBase() {
    Clear();
    LinkList_Free(lines_);
}

CCLListItem* CCLStringListBase::Add(const char* text) {
    auto* item = new CCLListItem;
    item->text.Set(text);
    LinkList_Append(lines_, item);
    return item;
}

CCLListItem* CCLStringListBase::Insert(int32_t index, const char* text) {
    auto* item = new CCLListItem;
    item->text.Set(text);
    LinkList_InsertAt(lines_, index, item);
    return item;
}

CCLListItem* CCLStringListBase::AddFormat(const char* format, ...) {
    va_list args;
    va_start(args, format);
    StrFormatV(scratch_, sizeof scratch_, format, args);
    va_end(args);
    return Add(scratch_);
}

CCLListItem* CCLStringListBase::InsertFormat(int32_t index, const char* format, ...) {
    va_list args;
    va_start(args, format);
    StrFormatV(scratch_, sizeof scratch_, format, args);
    va_end(args);
    return Insert(index, scratch_);
}

CCLListItem* CCLStringListBase::Cat(int32_t index, const char* text) {
    LinkNode* node = LinkList_At(lines_, index);
    if (!node) return nullptr;
    ItemOf(node)->text.Cat(text);
    return ItemOf(node);
}

int CCLStringListBase::Delete(int32_t index) {
    LinkNode* node = LinkList_At(lines_, index);
    if (node) {
        delete ItemOf(node);
        LinkList_Remove(lines_, node);
    }
    return 1;
}

int CCLStringListBase::Clear() {
    for (LinkNode* node = lines_->head; node; node = node->next)
        delete ItemOf(node);
    LinkList_Clear(lines_);
    return 0;
}

int CCLStringListBase::SetText(const char* text) {
    if (!text) return 1;
    const int limit = static_cast<int>(sizeof scratch_) - 1;
    int n = 0;
    for (const char* p = text;; ++p) {
        if (*p == '\n' || *p == '\0') {
            scratch_[n] = '\0';
            Add(scratch_);
            n = 0;
            if (*p == '\0') break;
            continue;
        }
        if (CharWidth(p) == 2) {
            if (n + 2 <= limit) {
                scratch_[n++] = p[0];
                scratch_[n++] = p[1];
            }
            ++p;
        } else if (n < limit) {
            scratch_[n++] = *p;
        }
    }
    return 0;
}

char* CCLStringListBase::GetText() const {
    if (Count() == 0) return nullptr;
    size_t total = 0;
    for (LinkNode* node = lines_->head; node; node = node->next)
        total += ItemOf(node)->text.Length() + 1;
    char* text = new char[total];
    char* out = text;
    for (LinkNode* node = lines_->head; node; node = node->next) {
        const CCLString& line = ItemOf(node)->text;
        if (line.Length() > 0) std::memcpy(out, line.Text(), line.Length());
        out += line.Length();
        *out++ = node->next ? '\n' : '\0';
    }
    return text;
}

int CCLStringListBase::LoadFromText(const char* text, uint32_t flags) {
    if (!text) return 1;
    if (!(flags & CCLSL_APPEND)) Clear();
    return SetText(text);
}

int CCLStringListBase::LoadFromFile(const char* path, uint32_t flags) {
    if (fileName_.Text() && StrCompareNoCase(path, fileName_.Text()) == 0 &&
        !(flags & CCLSL_RELOAD))
        return 0;
    std::string content;
    const bool loaded = ReadTextFile(path, content);
    if (loaded)
        std::printf("open file(read) [%s(%d)]\n", path, static_cast<int>(content.size()) + 1);
    fileName_.Set(path);
    loadFlags_ = flags & ~CCLSL_RELOAD;
    if (!loaded) return 0;
    LoadFromText(content.c_str(), flags);
    return 1;
}

int CCLStringListBase::SaveToFile(const char* path, uint32_t /*flags*/) const {
    std::string text;
    for (LinkNode* node = lines_->head; node; node = node->next) {
        const CCLString& line = ItemOf(node)->text;
        if (line.Text()) text.append(line.Text(), line.Length());
        if (node->next) text += '\n';
    }
    if (!WriteTextFileAtomically(path, text)) {
        std::printf("file open error [%s]\n", path ? path : "");
        return 0;
    }
    std::printf("open file(write) [%s]\n", path);
    return 1;
}

namespace {

// The record sorted by line sorting: the item's fields, text by pointer.
struct SortRecord {
    int32_t value;
    const char* text;
};

int CompareText(const void* a, const void* b) {
    return StrCompareNoCase(static_cast<const SortRecord*>(a)->text,
                            static_cast<const SortRecord*>(b)->text);
}

int CompareValue(const void* a, const void* b) {
    const int32_t x = static_cast<const SortRecord*>(a)->value;
    const int32_t y = static_cast<const SortRecord*>(b)->value;
    return x < y ? -1 : (x > y ? 1 : 0); // a difference could overflow
}

int CompareTextDescending(const void* a, const void* b) {
    return CompareText(b, a);
}
int CompareValueDescending(const void* a, const void* b) {
    return CompareValue(b, a);
}

} // namespace

void CCLStringListBase::SortBy(int (*compare)(const void*, const void*), uint32_t /*flags*/) {
    // The texts are moved out of the items first so the sort shuffles pointers only.
    std::vector<CCLString> texts(Count());
    std::vector<SortRecord> records;
    records.reserve(Count());
    int i = 0;
    for (LinkNode* node = lines_->head; node; node = node->next, ++i) {
        texts[i] = ItemOf(node)->text;
        records.push_back({ItemOf(node)->value, texts[i].Text()});
    }
    SortArray(kSortQuick, records.data(), static_cast<int>(records.size()), sizeof(SortRecord),
              compare);
    Clear();
    for (const SortRecord& r : records)
        Add(r.text);
}

void CCLStringListBase::SortByText(uint32_t flags) {
    SortBy((flags & CCLSL_SORT_DESCENDING) ? CompareTextDescending : CompareText, flags);
}

void CCLStringListBase::SortByValue(uint32_t flags) {
    SortBy((flags & CCLSL_SORT_DESCENDING) ? CompareValueDescending : CompareValue, flags);
}

// --- CCLStringList

CCLStringList::CCLStringList()
    : defineNames_(new CCLStringListBase), defineValues_(new CCLStringListBase) {}

CCLStringList::~CCLStringList() {
    delete defineNames_;
    delete defineValues_;
}

namespace {

// Removes trailing blanks and tabs of every line.
void TrimRight(CCLStringListBase& list) {
    for (int32_t i = 0; i < list.Count(); ++i) {
        CCLString& line = list.Items.Item(i)->text;
        int n = line.Length();
        while (n > 0 && (line.Text()[n - 1] == ' ' || line.Text()[n - 1] == '\t'))
            --n;
        if (n == line.Length()) continue;
        std::string kept(line.Text(), n);
        line.Set(kept.c_str());
    }
}

// Deletes every line for which drop(text) holds; text may be null.
template <typename Predicate> void DeleteLines(CCLStringListBase& list, Predicate drop) {
    for (int32_t i = 0; i < list.Count();) {
        if (drop(list.Text(i))) {
            list.Delete(i);
        } else {
            ++i;
        }
    }
}

} // namespace

int CCLStringList::LoadFromText(const char* text, uint32_t flags) {
    if (CCLStringListBase::LoadFromText(text, flags) == 1) return 1;
    if (flags & CCLSL_STRIP_COMMENTS)
        StripComments(lineComment_.Text(), blockStart_.Text(), blockEnd_.Text(),
                      (flags & CCLSL_QUOTES) ? "\"" : nullptr);
    if (flags & CCLSL_TRIM_RIGHT) TrimRight(*this);
    if (flags & CCLSL_REMOVE_BLANK) DeleteLines(*this, [](const char* t) { return !t; });
    if (flags & CCLSL_DROP_MARKED)
        DeleteLines(*this, [](const char* t) { return t && std::strpbrk(t, ";#"); });
    if (flags & CCLSL_DIRECTIVES) DirectiveRunner::Run(*this, flags);
    return 0;
}

namespace {

// Collects one output line of comment stripping, cut at its scratch size.
class LineCollector {
public:
    void Put(const char* p, int n) {
        for (int i = 0; i < n; ++i)
            if (length_ + 1 < static_cast<int>(sizeof line_)) line_[length_++] = p[i];
    }
    const char* Take() {
        line_[length_] = '\0';
        length_ = 0;
        return line_;
    }

private:
    char line_[textlib::kCommentLineScratch];
    int length_ = 0;
};

bool StartsWith(const char* p, const char* marker, int length) {
    return length > 0 && *p == *marker && std::strncmp(p, marker, length) == 0;
}

// Removes comments from one line after another; a block comment or a quote
// may run on over line ends, so its state is carried from line to line.
class CommentStripper {
public:
    CommentStripper(const char* lineComment, const char* blockStart, const char* blockEnd,
                    const char* quote)
        : lineComment_(lineComment), blockStart_(blockStart), blockEnd_(blockEnd), quote_(quote),
          lineLength_(StrLen(lineComment)), startLength_(StrLen(blockStart)),
          endLength_(StrLen(blockEnd)), quoteLength_(StrLen(quote)) {}

    // The text of line p (may be null) without its comments; valid until the next call.
    const char* Strip(const char* p) {
        while (p && *p) {
            const int width = (IsLeadByte(static_cast<unsigned char>(*p)) && p[1]) ? 2 : 1;
            if (depth_ >= 0) {
                p += SkipInBlock(p, width);
            } else if (StartsWith(p, quote_, quoteLength_)) {
                inQuote_ = !inQuote_;
                line_.Put(p, quoteLength_);
                p += quoteLength_;
            } else if (!inQuote_ && StartsWith(p, blockStart_, startLength_)) {
                depth_ = 0;
                p += startLength_;
            } else if (!inQuote_ && StartsWith(p, lineComment_, lineLength_)) {
                break;
            } else {
                line_.Put(p, width);
                p += width;
            }
        }
        return line_.Take();
    }

private:
    // Inside a block: nested starts count up, ends count down and leave the
    // block at depth 0; everything else is dropped. Returns the bytes used.
    int SkipInBlock(const char* p, int width) {
        if (StartsWith(p, blockStart_, startLength_)) {
            ++depth_;
            return startLength_;
        }
        if (StartsWith(p, blockEnd_, endLength_)) {
            --depth_;
            return endLength_;
        }
        return width;
    }

    const char* lineComment_;
    const char* blockStart_;
    const char* blockEnd_;
    const char* quote_;
    int lineLength_;
    int startLength_;
    int endLength_;
    int quoteLength_;
    int depth_ = -1; // -1: outside a block; else the nesting depth inside one
    bool inQuote_ = false;
    LineCollector line_;
};

} // namespace

void CCLStringList::StripComments(const char* lineComment, const char* blockStart,
                                  const char* blockEnd, const char* quote) {
    // Each line is edited in place (never longer than before), so the number
    // of lines stays, also for lines wholly inside a block comment.
    CommentStripper stripper(lineComment, blockStart, blockEnd, quote);
    for (LinkNode* node = Lines()->head; node; node = node->next) {
        CCLString& text = ItemOf(node)->text;
        text.Set(stripper.Strip(text.Text()));
    }
}

CCLStringListBase* StrSplitToList(const char* text, const char* separators, CCLStringListBase* list,
                                  uint32_t mode) {
    const int length = StrLen(text);
    if (length == 0 || !list) return nullptr;
    std::vector<char> parts(length + 1);
    const int count = StrSplit(text, separators, parts.data(), parts.size());
    for (int i = 0; i < count; ++i) {
        const char* part = StrNth(parts.data(), i);
        if (!(mode & kSplitNonEmpty) || *part) list->Add(part);
    }
    return list;
}
