// The XML tree, built with expat's stream parser. A LUT file's XML is
// small in structure (tens of elements) and large only in the text of its
// arrays, so the whole tree is kept; its size is bounded by the file's.
#include "prep/xml_tree.h"

#include <expat.h>

#include <array>
#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"
#include "platform/platform.h"
#include "prep/lut_read.h"

namespace {

struct Builder {
    XML_Parser parser;
    PrepXmlNode *root;
    PrepXmlNode *current;
    int32_t depth;
    int64_t elements;
    // The document's bytes. In UTF-8 or ASCII no text grows by more than
    // the bytes still to come (no entity is declared, and the built-in ones
    // are shorter than their references); in another encoding it may, and
    // then grows as any text does.
    int64_t documentBytes;
    // The document's bytes taken as text without expat, and their line
    // ends: expat's positions and lines leave them out, so they are added
    // back to every position and line reported.
    int64_t skippedBytes;
    int64_t skippedLines;
    // Where, in expat's bytes, the start tag of the last event ended; -1
    // when the last event was anything else.
    int64_t startTagEnd;
    // Why the building stopped, when it was not expat's own error.
    char refusal[160];
};

char *CopyText(const char *text) {
    size_t n = strlen(text) + 1;
    char *copy = static_cast<char *>(malloc(n));
    if (copy != nullptr) memcpy(copy, text, n);
    return copy;
}

void FreeNode(PrepXmlNode *node) {
    while (node != nullptr) {
        PrepXmlNode *next = node->next;
        FreeNode(node->firstChild);  // as deep as kPrepXmlMaxDepth at most
        for (int32_t i = 0; i < node->attributeCount; i++) {
            free(const_cast<char *>(node->attributes[i].name));
            free(const_cast<char *>(node->attributes[i].value));
        }
        free(node->attributes);
        free(const_cast<char *>(node->name));
        if (!node->textInDocument) free(node->text);
        free(node);
        node = next;
    }
}

void Refuse(Builder *b, const char *reason) {
    if (b->refusal[0] == '\0') snprintf(b->refusal, sizeof b->refusal, "%s", reason);
    XML_StopParser(b->parser, XML_FALSE);
}

// The attributes of a new element, copied; false when memory runs out.
bool CopyAttributes(PrepXmlNode *node, const XML_Char **attributes) {
    int32_t count = 0;
    while (attributes[2 * count] != nullptr) count++;
    if (count == 0) return true;
    node->attributes = static_cast<PrepXmlAttribute *>(calloc(static_cast<size_t>(count), sizeof(PrepXmlAttribute)));
    if (node->attributes == nullptr) return false;
    for (int32_t i = 0; i < count; i++) {
        node->attributes[i].name = CopyText(attributes[2 * i]);
        node->attributes[i].value = CopyText(attributes[2 * i + 1]);
        node->attributeCount = i + 1;
        if (node->attributes[i].name == nullptr || node->attributes[i].value == nullptr) return false;
    }
    return true;
}

// Adds child as the last child of parent (or as the root).
void Attach(Builder *b, PrepXmlNode *child) {
    child->parent = b->current;
    if (b->current == nullptr) {
        b->root = child;
        return;
    }
    PrepXmlNode **link = &b->current->firstChild;
    while (*link != nullptr) link = &(*link)->next;
    *link = child;
}

int64_t CurrentLine(const Builder *b) {
    return static_cast<int64_t>(XML_GetCurrentLineNumber(b->parser)) + b->skippedLines;
}

void XMLCALL OnStart(void *data, const XML_Char *name, const XML_Char **attributes) {
    Builder *b = static_cast<Builder *>(data);
    b->startTagEnd = -1;
    if (b->depth >= kPrepXmlMaxDepth) return Refuse(b, "elements nested deeper than any LUT file nests them");
    if (++b->elements > kPrepXmlMaxElements) return Refuse(b, "more elements than any LUT file holds");
    if (b->current == nullptr && b->root != nullptr) return Refuse(b, "a second root element");
    PrepXmlNode *node = static_cast<PrepXmlNode *>(calloc(1, sizeof(PrepXmlNode)));
    if (node == nullptr) return Refuse(b, "out of memory");
    node->line = CurrentLine(b);
    node->name = CopyText(name);
    Attach(b, node);
    if (node->name == nullptr || !CopyAttributes(node, attributes)) return Refuse(b, "out of memory");
    b->current = node;
    b->depth++;
    b->startTagEnd = XML_GetCurrentByteIndex(b->parser) + XML_GetCurrentByteCount(b->parser);
}

void XMLCALL OnEnd(void *data, const XML_Char *) {
    Builder *b = static_cast<Builder *>(data);
    b->startTagEnd = -1;
    if (b->current != nullptr) b->current = b->current->parent;
    b->depth--;
}

// The bytes allocated for node's text of `wanted` bytes (its NUL
// included), the text arriving at the document's byte `at`: by doubling, so
// that an array's text arriving in many pieces costs linear time; a large
// one (a LUT's array) at once as much as the rest of the document can add,
// instead of being copied at each doubling.
size_t TextCapacity(const Builder *b, const PrepXmlNode *node, size_t wanted, int64_t at) {
    constexpr size_t kLargeText = size_t{256} << 10;
    size_t capacity = wanted <= 64 ? 64 : std::bit_ceil(wanted);
    if (capacity < kLargeText) return capacity;
    int64_t left = b->documentBytes - at;
    size_t most = node->textLength + static_cast<size_t>(left > 0 ? left : 0) + 1;
    return most > capacity ? most : capacity;
}

// Room for n more bytes of node's text (and its NUL), which arrive at the
// document's byte `at`; false when memory runs out.
bool MakeTextRoom(const Builder *b, PrepXmlNode *node, size_t n, int64_t at) {
    size_t wanted = node->textLength + n + 1;
    if (wanted <= node->textCapacity) return true;
    size_t capacity = TextCapacity(b, node, wanted, at);
    // Text that stands in the document moves to a block of its own once
    // more of it follows.
    char *grown = static_cast<char *>(node->textInDocument ? PlatformAllocLarge(capacity)
                                                           : PlatformGrowLarge(node->text, node->textLength, capacity));
    if (grown == nullptr) return false;
    if (node->textInDocument) memcpy(grown, node->text, node->textLength);
    node->textInDocument = false;
    node->text = grown;
    node->textCapacity = capacity;
    return true;
}

void XMLCALL OnText(void *data, const XML_Char *text, int length) {
    Builder *b = static_cast<Builder *>(data);
    b->startTagEnd = -1;
    PrepXmlNode *node = b->current;
    if (node == nullptr || length <= 0) return;
    size_t n = static_cast<size_t>(length);
    int64_t at = static_cast<int64_t>(XML_GetCurrentByteIndex(b->parser)) + b->skippedBytes;
    if (!MakeTextRoom(b, node, n, at)) return Refuse(b, "out of memory");
    memcpy(node->text + node->textLength, text, n);
    node->textLength += n;
    node->text[node->textLength] = '\0';
}

// A document type declaration could declare entities, whose expansion is
// the classic way to make a small file take all memory; no LUT format has
// one, so it is refused before anything of it is used.
void XMLCALL OnDoctype(void *data, const XML_Char *, const XML_Char *, const XML_Char *, int) {
    Refuse(static_cast<Builder *>(data), "a document type declaration (<!DOCTYPE>), which no LUT file has");
}

void XMLCALL OnEntity(void *data, const XML_Char *, int, const XML_Char *, int, const XML_Char *, const XML_Char *,
                      const XML_Char *, const XML_Char *) {
    Refuse(static_cast<Builder *>(data), "an entity declaration, which no LUT file has");
}

// The document's bytes: a memory source's own, or a file's read whole into
// a block of its own.
struct Document {
    const char *text;
    size_t size;
    char *block;  // the file's bytes (PlatformAllocLarge), kept with the tree it reads into
};

// The file from where it stands to its end into doc->block, at most
// kPrepMaxFileBytes of it; false, with the reason in refusal, when it cannot
// be read or holds more. doc holds the bytes read (at most the limit)
// either way, for expat to read before the refusal, as it did when it read
// the file in blocks.
bool ReadWholeFile(FILE *file, Document *doc, char (&refusal)[160]) {
    const size_t limit = static_cast<size_t>(kPrepMaxFileBytes);
    int64_t known = PlatformFileSize(file);
    // A byte more than the file holds, so that its end is read, not guessed.
    size_t capacity = known > 0 && known < kPrepMaxFileBytes ? static_cast<size_t>(known) + 1 : kPrepXmlBlockBytes;
    doc->block = static_cast<char *>(PlatformAllocLarge(capacity));
    doc->text = doc->block;
    doc->size = 0;
    while (doc->block != nullptr) {
        if (doc->size == capacity) {
            if (capacity > limit) {
                doc->size = limit;
                snprintf(refusal, sizeof refusal, "more than %lld bytes: larger than any LUT file",
                         static_cast<long long>(kPrepMaxFileBytes));
                return false;
            }
            size_t grown = capacity < limit / 2 ? 2 * capacity : limit + 1;
            char *block = static_cast<char *>(PlatformGrowLarge(doc->block, doc->size, grown));
            if (block == nullptr) break;
            doc->block = block;
            doc->text = block;
            capacity = grown;
        }
        size_t n = fread(doc->block + doc->size, 1, capacity - doc->size, file);
        doc->size += n;
        if (ferror(file)) {
            snprintf(refusal, sizeof refusal, "cannot read the file");
            return false;
        }
        if (n == 0) return true;
    }
    snprintf(refusal, sizeof refusal, "out of memory");
    return false;
}

// Gives n bytes at text to expat in blocks, which it copies into its
// buffer; false when it stopped.
bool Parse(Builder *b, const char *text, size_t n, bool last) {
    do {
        size_t piece = n < kPrepXmlBlockBytes ? n : kPrepXmlBlockBytes;
        n -= piece;
        if (XML_Parse(b->parser, text, static_cast<int>(piece), last && n == 0) != XML_STATUS_OK) return false;
        text += piece;
    } while (n > 0);
    return true;
}

// The bytes an element's text may hold that mean themselves in XML, as in
// every encoding expat reads without a UTF-16 mark: printable ASCII but
// for the markup's '<', '&' and ']' (of "]]>"), blanks and line ends. A
// LUT's array (decimals, or the hexadecimal of a .look) is made of them.
constexpr std::array<uint8_t, 256> kPlainBytes = [] {
    std::array<uint8_t, 256> plain{};
    for (int c = ' '; c <= '~'; c++) plain[static_cast<size_t>(c)] = c != '<' && c != '&' && c != ']';
    plain['\t'] = plain['\n'] = plain['\r'] = 1;
    return plain;
}();

// Whether expat reads the document's bytes as ASCII or a superset of it
// (UTF-8, ISO-8859-1), not as UTF-16, which it tells by the first two.
bool ReadAsAscii(const Document &doc) {
    if (doc.size < 2) return false;
    unsigned char first = static_cast<unsigned char>(doc.text[0]), second = static_cast<unsigned char>(doc.text[1]);
    bool utf16Mark = (first == 0xFE && second == 0xFF) || (first == 0xFF && second == 0xFE);
    return first != 0 && second != 0 && !utf16Mark;
}

// 1 for a plain byte, else 0.
unsigned IsPlain(char c) { return kPlainBytes[static_cast<unsigned char>(c)]; }

// 1 for two plain bytes, else 0, for each pair of bytes as one 16-bit
// index: eight bytes are told by four looks and one branch.
struct PlainPairs {
    uint8_t value[1 << 16];
};

constexpr PlainPairs MakePlainPairs() {
    PlainPairs pairs{};
    for (int pair = 0; pair < (1 << 16); pair++) pairs.value[pair] = kPlainBytes[pair & 0xFF] & kPlainBytes[pair >> 8];
    return pairs;
}

constexpr PlainPairs kPlainPairs = MakePlainPairs();

// Where the plain bytes from p on end: eight at a time, as an array's text
// is megabytes of them.
const char *PlainEnd(const char *p, const char *end) {
    uint16_t pair[4];
    while (end - p >= 8) {
        memcpy(pair, p, sizeof pair);
        if ((kPlainPairs.value[pair[0]] & kPlainPairs.value[pair[1]] & kPlainPairs.value[pair[2]] &
             kPlainPairs.value[pair[3]]) == 0) {
            break;
        }
        p += 8;
    }
    while (p < end && IsPlain(*p)) p++;
    return p;
}

// The LF bytes in [p, end): memchr finds each.
int64_t CountLineFeeds(const char *p, const char *end) {
    int64_t count = 0;
    while ((p = static_cast<const char *>(memchr(p, '\n', static_cast<size_t>(end - p)))) != nullptr) {
        count++;
        p++;
    }
    return count;
}

// A run of plain bytes that follows a '>' and ends at a '<': [begin, end).
struct PlainRun {
    size_t begin;
    size_t end;
};

// The first run of at least `least` bytes at or after `from`; false when
// there is none.
bool FindPlainRun(const Document &doc, size_t from, size_t least, PlainRun *run) {
    while (from < doc.size) {
        const void *close = memchr(doc.text + from, '>', doc.size - from);
        if (close == nullptr) return false;
        size_t begin = static_cast<size_t>(static_cast<const char *>(close) - doc.text) + 1;
        size_t end = static_cast<size_t>(PlainEnd(doc.text + begin, doc.text + doc.size) - doc.text);
        if (end < doc.size && doc.text[end] == '<' && end - begin >= least) {
            *run = PlainRun{begin, end};
            return true;
        }
        from = end;
    }
    return false;
}

// Appends the run to the current element's text as expat would give it
// (CR LF and a lone CR read as LF) and counts its line ends; false when
// memory runs out. A file's bytes are the document's own, and a text that
// begins with the run stays where it was read (megabytes not copied), its
// line ends made LF in place: those bytes go to expat never, and the NUL
// that ends it waits until expat has read the '<' after it (EndTexts).
bool TakeRun(Builder *b, const Document &doc, const PlainRun &run) {
    PrepXmlNode *node = b->current;
    const char *p = doc.text + run.begin, *end = doc.text + run.end;
    if (node == nullptr) return false;
    const bool inPlace = doc.block != nullptr && node->text == nullptr;
    if (!inPlace && !MakeTextRoom(b, node, run.end - run.begin, static_cast<int64_t>(run.begin))) return false;
    if (inPlace) {
        node->text = doc.block + run.begin;
        node->textInDocument = true;
    }
    char *out = node->text + node->textLength;
    int64_t lines = 0;
    if (memchr(p, '\r', run.end - run.begin) == nullptr) {
        if (!inPlace) memcpy(out, p, run.end - run.begin);
        out += run.end - run.begin;
        lines = CountLineFeeds(p, end);
    } else {
        for (; p < end; p++) {
            if (*p == '\r' && p + 1 < end && p[1] == '\n') continue;  // the LF after it is the line end
            *out++ = *p == '\r' ? '\n' : *p;
            lines += *p == '\n' || *p == '\r';
        }
    }
    node->textLength = static_cast<size_t>(out - node->text);
    if (!inPlace) node->text[node->textLength] = '\0';
    b->skippedBytes += static_cast<int64_t>(run.end - run.begin);
    b->skippedLines += lines;
    return true;
}

// Feeds the document to expat, whose tokenizer costs tens of instructions
// a byte: a LUT's array text of at least `rawRun` plain bytes (0: none)
// that directly follows an element's start tag is taken as the element's
// text without it. Only expat tells a start tag from a '>' that ends a
// comment, a processing instruction, CDATA or an end tag, so the bytes up
// to the '>' are fed first and the run is taken only when the last event
// was a start tag that ended there. False when expat stopped.
// A run that is not taken is not looked into again: its '>' bytes would each
// start another run over the same bytes, and each stop hand expat a few
// more bytes of a token (a long comment) that it reads again from its
// start at every piece it is given (so a token of megabytes costs it time
// by the square of its length, pieces or not). So expat is stopped once
// per run found at most, and a run is four of its pieces at least: however
// the bytes are laid out, it is given them in at most a quarter more
// pieces than in its blocks alone.
bool Feed(Builder *b, const Document &doc, bool complete, size_t rawRun) {
    size_t fed = 0;
    size_t searched = 0;
    PlainRun run{};
    while (rawRun > 0 && FindPlainRun(doc, searched, rawRun, &run)) {
        if (!Parse(b, doc.text + fed, run.begin - fed, false)) return false;
        fed = run.begin;
        searched = run.end;
        if (b->startTagEnd != static_cast<int64_t>(run.begin) - b->skippedBytes) continue;
        if (!TakeRun(b, doc, run)) {
            snprintf(b->refusal, sizeof b->refusal, "out of memory");
            return false;
        }
        fed = run.end;
    }
    return Parse(b, doc.text + fed, doc.size - fed, complete);
}

// Ends each text that stands in the document with its NUL, over the byte
// after it, once expat is done with the bytes.
void EndTexts(PrepXmlNode *node) {
    for (; node != nullptr; node = node->next) {
        if (node->textInDocument) node->text[node->textLength] = '\0';
        EndTexts(node->firstChild);  // as deep as kPrepXmlMaxDepth at most
    }
}

}  // namespace

int PrepParseXml(const PrepSource &source, PrepXmlDocument *doc, PrepError *error) {
    return PrepParseXmlTakingRuns(source, kPrepXmlRawRunBytes, doc, error);
}

int PrepParseXmlTakingRuns(const PrepSource &source, size_t rawRunBytes, PrepXmlDocument *doc, PrepError *error) {
    PrepFreeXml(doc);
    Builder b{};
    b.startTagEnd = -1;
    b.parser = XML_ParserCreate(nullptr);
    if (b.parser == nullptr) {
        PrepSetError(error, 0, "out of memory for the XML reader");
        return -1;
    }
    XML_SetUserData(b.parser, &b);
    XML_SetElementHandler(b.parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(b.parser, OnText);
    XML_SetStartDoctypeDeclHandler(b.parser, OnDoctype);
    XML_SetEntityDeclHandler(b.parser, OnEntity);
    Document bytes{source.text, source.size, nullptr};
    char unread[160] = "";
    bool whole = source.file == nullptr || ReadWholeFile(source.file, &bytes, unread);
    b.documentBytes = static_cast<int64_t>(bytes.size);
    bool complete = Feed(&b, bytes, whole, ReadAsAscii(bytes) ? rawRunBytes : 0);
    if (complete && !whole) {
        snprintf(b.refusal, sizeof b.refusal, "%s", unread);
        complete = false;
    }
    int64_t line = CurrentLine(&b);
    if (!complete) {
        if (b.refusal[0] != '\0') {
            PrepSetError(error, line, "%s", b.refusal);
        } else {
            PrepSetError(error, line, "not well-formed XML: %s", XML_ErrorString(XML_GetErrorCode(b.parser)));
        }
    } else if (b.root == nullptr) {
        PrepSetError(error, line, "no XML element in the file");
        complete = false;
    }
    XML_ParserFree(b.parser);
    if (!complete) {
        FreeNode(b.root);
        PlatformFreeLarge(bytes.block);
        return -1;
    }
    EndTexts(b.root);
    doc->root = b.root;
    doc->bytes = bytes.block;
    return 0;
}

void PrepFreeXml(PrepXmlDocument *doc) {
    FreeNode(doc->root);
    doc->root = nullptr;
    PlatformFreeLarge(doc->bytes);
    doc->bytes = nullptr;
}

const char *PrepXmlLocalName(const PrepXmlNode *node) {
    const char *colon = strrchr(node->name, ':');
    return colon != nullptr ? colon + 1 : node->name;
}

namespace {

bool SameIgnoringCase(const char *a, const char *b) {
    for (; *a != '\0' && *b != '\0'; a++, b++) {
        if (AsciiLower(static_cast<unsigned char>(*a)) != AsciiLower(static_cast<unsigned char>(*b))) return false;
    }
    return *a == *b;
}

}  // namespace

bool PrepXmlIs(const PrepXmlNode *node, const char *name) { return SameIgnoringCase(PrepXmlLocalName(node), name); }

const PrepXmlNode *PrepXmlChild(const PrepXmlNode *node, const char *name) {
    for (const PrepXmlNode *child = node->firstChild; child != nullptr; child = child->next) {
        if (PrepXmlIs(child, name)) return child;
    }
    return nullptr;
}

const PrepXmlNode *PrepXmlNextNamed(const PrepXmlNode *node, const char *name) {
    for (const PrepXmlNode *next = node->next; next != nullptr; next = next->next) {
        if (PrepXmlIs(next, name)) return next;
    }
    return nullptr;
}

const char *PrepXmlAttributeValue(const PrepXmlNode *node, const char *name) {
    for (int32_t i = 0; i < node->attributeCount; i++) {
        const char *attribute = node->attributes[i].name;
        const char *colon = strrchr(attribute, ':');
        if (SameIgnoringCase(colon != nullptr ? colon + 1 : attribute, name)) return node->attributes[i].value;
    }
    return nullptr;
}
