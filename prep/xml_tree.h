// XML files (CLF/CTF, ASC CDL, Iridas .look) as a tree of elements, read
// with expat. The tree holds elements, their attributes and their text, and
// the line each element starts on; nothing else of the document matters to
// a LUT reader. A document type declaration is refused, so no entity is
// ever expanded; depth, element count and text are bounded.
#pragma once

#include <cstddef>
#include <cstdint>

#include "prep/source_lut.h"

struct PrepSource;

// The deepest nesting of elements read.
constexpr int32_t kPrepXmlMaxDepth = 64;
// The most elements one document holds.
constexpr int64_t kPrepXmlMaxElements = 1 << 16;

struct PrepXmlAttribute {
    const char *name;
    const char *value;
};

struct PrepXmlNode {
    // The name as written, with any namespace prefix ("ProcessList").
    const char *name;
    int64_t line;
    PrepXmlAttribute *attributes;
    int32_t attributeCount;
    // The character data directly inside the element, joined (NUL-ended).
    char *text;
    size_t textLength;
    size_t textCapacity;  // the bytes allocated for text
    // Whether text stands in the document's own bytes (PrepXmlDocument's
    // bytes), not in an allocation of its own: a LUT's array read from a
    // file, taken where it was read.
    bool textInDocument;
    PrepXmlNode *parent;
    PrepXmlNode *firstChild;
    PrepXmlNode *next;  // the next sibling
};

struct PrepXmlDocument {
    PrepXmlNode *root;
    // A file's bytes, kept for the texts that stand in them.
    char *bytes;
};

// Reads the source into *doc (freed first). 0, or -1 with *error holding
// the line and the reason (the XML error as expat names it, or the limit).
int PrepParseXml(const PrepSource &source, PrepXmlDocument *doc, PrepError *error);
// The pieces the document is given to expat in.
constexpr size_t kPrepXmlBlockBytes = size_t{64} << 10;
// The shortest text of an element, right after its start tag and up to the
// next tag, that is taken without expat when its bytes (digits, letters,
// signs, blanks, ...) mean themselves in XML: the array of a large LUT (a
// 33-point one is a megabyte). Four of expat's pieces (xml_tree.cpp's Feed
// says why).
constexpr size_t kPrepXmlRawRunBytes = 4 * kPrepXmlBlockBytes;
// PrepParseXml, taking such text of at least rawRunBytes bytes (0: none,
// every byte through expat); the tree is the same whatever the threshold.
int PrepParseXmlTakingRuns(const PrepSource &source, size_t rawRunBytes, PrepXmlDocument *doc, PrepError *error);
void PrepFreeXml(PrepXmlDocument *doc);

// The element's name without its namespace prefix.
const char *PrepXmlLocalName(const PrepXmlNode *node);
// Whether the local name is name, in any letter case (as OpenColorIO
// compares them).
bool PrepXmlIs(const PrepXmlNode *node, const char *name);
// The first child whose local name is name (any letter case), or null.
const PrepXmlNode *PrepXmlChild(const PrepXmlNode *node, const char *name);
// The next sibling after node with the same rule, or null.
const PrepXmlNode *PrepXmlNextNamed(const PrepXmlNode *node, const char *name);
// The attribute's value (name in any letter case, no prefix), or null.
const char *PrepXmlAttributeValue(const PrepXmlNode *node, const char *name);
