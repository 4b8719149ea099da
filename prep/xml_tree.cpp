// The XML tree, built with expat's stream parser. A LUT file's XML is
// small in structure (tens of elements) and large only in the text of its
// arrays, so the whole tree is kept; its size is bounded by the file's.
#include "prep/xml_tree.h"

#include <expat.h>

#include <bit>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/ascii.h"
#include "platform/platform.h"
#include "prep/lut_read.h"

namespace {

constexpr size_t kBlockBytes = 64 * 1024;

struct Builder {
    XML_Parser parser;
    PrepXmlNode *root;
    PrepXmlNode *current;
    int32_t depth;
    int64_t elements;
    // The document's bytes, -1 when not known: no text grows by more than
    // the bytes still to come (no entity is declared, and the built-in
    // ones are shorter than their references).
    int64_t documentBytes;
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
        free(node->text);
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

void XMLCALL OnStart(void *data, const XML_Char *name, const XML_Char **attributes) {
    Builder *b = static_cast<Builder *>(data);
    if (b->depth >= kPrepXmlMaxDepth) return Refuse(b, "elements nested deeper than any LUT file nests them");
    if (++b->elements > kPrepXmlMaxElements) return Refuse(b, "more elements than any LUT file holds");
    if (b->current == nullptr && b->root != nullptr) return Refuse(b, "a second root element");
    PrepXmlNode *node = static_cast<PrepXmlNode *>(calloc(1, sizeof(PrepXmlNode)));
    if (node == nullptr) return Refuse(b, "out of memory");
    node->line = static_cast<int64_t>(XML_GetCurrentLineNumber(b->parser));
    node->name = CopyText(name);
    Attach(b, node);
    if (node->name == nullptr || !CopyAttributes(node, attributes)) return Refuse(b, "out of memory");
    b->current = node;
    b->depth++;
}

void XMLCALL OnEnd(void *data, const XML_Char *) {
    Builder *b = static_cast<Builder *>(data);
    if (b->current != nullptr) b->current = b->current->parent;
    b->depth--;
}

// The bytes allocated for node's text of `wanted` bytes (its NUL
// included): by doubling, so that an array's text arriving in many pieces
// costs linear time; a large one (a LUT's array) at once as much as the
// rest of the document can add, instead of being copied at each doubling.
size_t TextCapacity(const Builder *b, const PrepXmlNode *node, size_t wanted) {
    constexpr size_t kLargeText = size_t{256} << 10;
    size_t capacity = wanted <= 64 ? 64 : std::bit_ceil(wanted);
    if (capacity < kLargeText || b->documentBytes < 0) return capacity;
    int64_t left = b->documentBytes - static_cast<int64_t>(XML_GetCurrentByteIndex(b->parser));
    size_t most = node->textLength + static_cast<size_t>(left > 0 ? left : 0) + 1;
    return most > capacity ? most : capacity;
}

void XMLCALL OnText(void *data, const XML_Char *text, int length) {
    Builder *b = static_cast<Builder *>(data);
    PrepXmlNode *node = b->current;
    if (node == nullptr || length <= 0) return;
    size_t n = static_cast<size_t>(length);
    size_t wanted = node->textLength + n + 1;
    if (wanted > node->textCapacity) {
        size_t capacity = TextCapacity(b, node, wanted);
        char *grown = static_cast<char *>(PlatformGrowLarge(node->text, node->textLength, capacity));
        if (grown == nullptr) return Refuse(b, "out of memory");
        node->text = grown;
        node->textCapacity = capacity;
    }
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

// Feeds the source to the parser; false when it stopped.
bool Feed(Builder *b, const PrepSource &source) {
    if (source.file == nullptr) {
        size_t done = 0;
        do {
            size_t n = source.size - done < kBlockBytes ? source.size - done : kBlockBytes;
            bool last = done + n == source.size;
            if (XML_Parse(b->parser, source.text + done, static_cast<int>(n), last) != XML_STATUS_OK) return false;
            done += n;
        } while (done < source.size);
        return true;
    }
    int64_t total = 0;
    for (;;) {
        void *block = XML_GetBuffer(b->parser, static_cast<int>(kBlockBytes));
        if (block == nullptr) return false;
        size_t n = fread(block, 1, kBlockBytes, source.file);
        if (ferror(source.file)) {
            snprintf(b->refusal, sizeof b->refusal, "cannot read the file");
            return false;
        }
        total += static_cast<int64_t>(n);
        if (total > kPrepMaxFileBytes) {
            snprintf(b->refusal, sizeof b->refusal, "more than %lld bytes: larger than any LUT file",
                     static_cast<long long>(kPrepMaxFileBytes));
            return false;
        }
        bool last = n < kBlockBytes;
        if (XML_ParseBuffer(b->parser, static_cast<int>(n), last) != XML_STATUS_OK) return false;
        if (last) return true;
    }
}

}  // namespace

int PrepParseXml(const PrepSource &source, PrepXmlDocument *doc, PrepError *error) {
    PrepFreeXml(doc);
    Builder b{};
    b.parser = XML_ParserCreate(nullptr);
    if (b.parser == nullptr) {
        PrepSetError(error, 0, "out of memory for the XML reader");
        return -1;
    }
    b.documentBytes = PrepSourceBytes(source);
    XML_SetUserData(b.parser, &b);
    XML_SetElementHandler(b.parser, OnStart, OnEnd);
    XML_SetCharacterDataHandler(b.parser, OnText);
    XML_SetStartDoctypeDeclHandler(b.parser, OnDoctype);
    XML_SetEntityDeclHandler(b.parser, OnEntity);
    bool complete = Feed(&b, source);
    int64_t line = static_cast<int64_t>(XML_GetCurrentLineNumber(b.parser));
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
        return -1;
    }
    doc->root = b.root;
    return 0;
}

void PrepFreeXml(PrepXmlDocument *doc) {
    FreeNode(doc->root);
    doc->root = nullptr;
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
