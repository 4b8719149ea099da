#include "ctl/patch_message.h"

#include <expat.h>

#include <cstdio>
#include <cstring>

#include "platform/ascii.h"

uint32_t PatchMessageLength(const unsigned char (&prefix)[4]) {
    return static_cast<uint32_t>(prefix[0]) << 24 | static_cast<uint32_t>(prefix[1]) << 16 |
           static_cast<uint32_t>(prefix[2]) << 8 | static_cast<uint32_t>(prefix[3]);
}

float PatchLevel(int32_t code, int32_t bits) {
    return static_cast<float>(static_cast<double>(code) / static_cast<double>((int64_t{1} << bits) - 1));
}

namespace {

struct ParseState {
    XML_Parser parser;
    PatchMessage *message;
    bool root;     // the root element was seen
    bool colour;   // a <color> was taken
    bool refused;  // the parse was stopped: why is in error
    char codeText[4][16];
    char error[128];
};

void Refuse(ParseState &state, const char *why) {
    if (state.refused) return;
    state.refused = true;
    snprintf(state.error, sizeof state.error, "%s", why);
    XML_StopParser(state.parser, XML_FALSE);
}

// A whole decimal number of at most 9 digits: the value, or -1.
int32_t WholeCode(const char *text) {
    if (text[0] == '\0' || strlen(text) > 9) return -1;
    int32_t value = 0;
    for (const char *p = text; *p != '\0'; p++) {
        if (!IsAsciiDigit(static_cast<unsigned char>(*p))) return -1;
        value = value * 10 + (*p - '0');
    }
    return value;
}

// The first <color> anywhere under the root: its red, green, blue and bits.
void TakeColour(ParseState &state, const XML_Char **attributes) {
    static const char *const kNames[4] = {"red", "green", "blue", "bits"};
    for (int a = 0; attributes[a] != nullptr; a += 2) {
        for (int n = 0; n < 4; n++) {
            if (strcmp(attributes[a], kNames[n]) == 0) {
                snprintf(state.codeText[n], sizeof state.codeText[n], "%s", attributes[a + 1]);
            }
        }
    }
    state.colour = true;
}

void XMLCALL OnStart(void *data, const XML_Char *name, const XML_Char **attributes) {
    ParseState &state = *static_cast<ParseState *>(data);
    if (!state.root) {
        state.root = true;
        if (strcmp(name, "calibration") != 0) Refuse(state, "the root element is not <calibration>");
        return;
    }
    if (strcmp(name, "color") == 0 && !state.colour) TakeColour(state, attributes);
    if (strcmp(name, "background") == 0) state.message->hasBackground = true;
    if (strcmp(name, "geometry") == 0) state.message->hasGeometry = true;
}

void XMLCALL OnDoctype(void *data, const XML_Char *, const XML_Char *, const XML_Char *, int) {
    Refuse(*static_cast<ParseState *>(data), "a DOCTYPE is refused");
}

void XMLCALL OnEntity(void *data, const XML_Char *, int, const XML_Char *, int, const XML_Char *, const XML_Char *,
                      const XML_Char *, const XML_Char *) {
    Refuse(*static_cast<ParseState *>(data), "an entity declaration is refused");
}

// The codes of the <color> taken, checked against its bits.
int CheckCodes(const ParseState &state, PatchMessage &message, char *error, size_t errorSize) {
    message.bits = state.codeText[3][0] == '\0' ? 8 : WholeCode(state.codeText[3]);
    if (message.bits < 1 || message.bits > 16) {
        snprintf(error, errorSize, "bits=\"%s\" is not from 1 to 16", state.codeText[3]);
        return -1;
    }
    int32_t top = (int32_t{1} << message.bits) - 1;
    for (int c = 0; c < 3; c++) {
        message.codes[c] = WholeCode(state.codeText[c]);
        if (message.codes[c] < 0 || message.codes[c] > top) {
            static const char *const kNames[3] = {"red", "green", "blue"};
            snprintf(error, errorSize, "%s=\"%s\" is not a code from 0 to %d", kNames[c], state.codeText[c],
                     static_cast<int>(top));
            return -1;
        }
    }
    return 0;
}

}  // namespace

int ParsePatchMessage(const char *xml, size_t size, PatchMessage &message, char *error, size_t errorSize) {
    message = {};
    XML_Parser parser = XML_ParserCreate(nullptr);
    if (parser == nullptr) {
        snprintf(error, errorSize, "no memory for the XML parser");
        return -1;
    }
    ParseState state = {};
    state.parser = parser;
    state.message = &message;
    XML_SetUserData(parser, &state);
    XML_SetStartElementHandler(parser, OnStart);
    XML_SetStartDoctypeDeclHandler(parser, OnDoctype);
    XML_SetEntityDeclHandler(parser, OnEntity);
    XML_Status status = XML_Parse(parser, xml, static_cast<int>(size), XML_TRUE);
    if (state.refused) {
        snprintf(error, errorSize, "%s", state.error);
    } else if (status != XML_STATUS_OK) {
        snprintf(error, errorSize, "not XML: %s (line %lu, column %lu)", XML_ErrorString(XML_GetErrorCode(parser)),
                 static_cast<unsigned long>(XML_GetCurrentLineNumber(parser)),
                 static_cast<unsigned long>(XML_GetCurrentColumnNumber(parser) + 1));
    } else if (!state.colour) {
        snprintf(error, errorSize, "no <color> element");
    }
    XML_ParserFree(parser);
    if (state.refused || status != XML_STATUS_OK || !state.colour) return -1;
    return CheckCodes(state, message, error, errorSize);
}
