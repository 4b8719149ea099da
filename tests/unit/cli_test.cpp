// The command-line layer: the parser's decided cases on a small table of
// its own, lutctl's tables through its parser, and the JSON and CSV that
// records are written in.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <list>
#include <string>
#include <vector>

#include "cli/cli.h"
#include "cli/cli_output.h"
#include "ctl/ctl_options.h"

namespace {

const CliCommand kTestCommands[] = {{"run", "FILE...", "runs", nullptr}, {"show", "", "shows", nullptr}};
const CliCommand *TestCommandAt(int index) { return index >= 0 && index < 2 ? &kTestCommands[index] : nullptr; }

const CliOption kTestOptions[] = {
    {.name = "json", .help = "JSON"},
    {.name = "width",
     .valueName = "W",
     .defaultNumber = 1024,
     .numberDefault = true,
     .unit = "pixels",
     .help = "the width",
     .commands = CliCommandBit(0)},
};
const CliProgram kTest = {.name = "test",
                          .version = "9",
                          .summary = "a test",
                          .commandAt = TestCommandAt,
                          .options = kTestOptions,
                          .optionCount = 2,
                          .usagePerCommand = true,
                          .failedMeaning = "failed",
                          .deviceLibrary = false};

// Parses words as a command line after the program's name.
struct Parsed {
    int status;
    CliArgs args;
    std::vector<std::string> operands;
};

Parsed Parse(std::vector<std::string> words) {
    std::vector<char *> argv = {const_cast<char *>("test")};
    for (std::string &word : words) argv.push_back(word.data());
    Parsed parsed{};
    parsed.status = CliParse(kTest, static_cast<int>(argv.size()), argv.data(), parsed.args);
    if (parsed.status == kExitOk) {
        for (int i = 0; i < parsed.args.operandCount; i++) parsed.operands.push_back(parsed.args.operands[i]);
        // The values point into words, which end here: keep only whether they were given.
        for (int i = 0; i < kCliMaxOptions; i++) parsed.args.value[i] = nullptr;
    }
    return parsed;
}

std::string ValueOf(std::vector<std::string> words, const char *name) {
    std::vector<char *> argv = {const_cast<char *>("test")};
    for (std::string &word : words) argv.push_back(word.data());
    CliArgs args;
    if (CliParse(kTest, static_cast<int>(argv.size()), argv.data(), args) != kExitOk) return "(usage error)";
    const char *value = CliValue(kTest, args, name);
    return value != nullptr ? value : "(none)";
}

TEST(CliParse, HelpIsDashHAtTheTopAndAfterACommand) {
    Parsed top = Parse({"-h"});
    EXPECT_EQ(top.status, kExitOk);
    EXPECT_TRUE(top.args.help);
    EXPECT_EQ(top.args.command, -1);
    Parsed after = Parse({"show", "-h"});
    EXPECT_EQ(after.status, kExitOk);
    EXPECT_TRUE(after.args.help);
    EXPECT_EQ(after.args.command, 1);
    EXPECT_EQ(Parse({"--version"}).status, kExitOk);
    // Without help or version a command is needed.
    EXPECT_EQ(Parse({}).status, kExitUsage);
    EXPECT_EQ(Parse({"--json"}).status, kExitUsage);
}

TEST(CliParse, AnOptionGivenTwiceIsAUsageError) {
    EXPECT_EQ(Parse({"--json", "run", "--json"}).status, kExitUsage);
    EXPECT_EQ(Parse({"run", "--width", "1", "--width=2"}).status, kExitUsage);
    EXPECT_EQ(Parse({"-h", "--help"}).status, kExitUsage);
}

TEST(CliParse, UnknownOptionsAreUsageErrorsBeforeAndAfterTheCommand) {
    EXPECT_EQ(Parse({"-x", "run"}).status, kExitUsage);
    EXPECT_EQ(Parse({"run", "-x"}).status, kExitUsage);
    EXPECT_EQ(Parse({"--bogus", "run"}).status, kExitUsage);
    EXPECT_EQ(Parse({"run", "--bogus=1"}).status, kExitUsage);
    // Neither a prefix nor a bundle of short options.
    EXPECT_EQ(Parse({"run", "--js"}).status, kExitUsage);
    EXPECT_EQ(Parse({"run", "-hh"}).status, kExitUsage);
    // An option of another command.
    EXPECT_EQ(Parse({"show", "--width", "3"}).status, kExitUsage);
    EXPECT_EQ(Parse({"walk"}).status, kExitUsage);
}

TEST(CliParse, ValuesWithOrWithoutEqualsAndMissing) {
    EXPECT_EQ(ValueOf({"run", "--width=33"}, "width"), "33");
    EXPECT_EQ(ValueOf({"--width", "33", "run"}, "width"), "33");
    EXPECT_EQ(ValueOf({"run", "--width="}, "width"), "");
    EXPECT_EQ(ValueOf({"run", "--width", "a=b"}, "width"), "a=b");
    // The next word is the value, whatever it looks like.
    EXPECT_EQ(ValueOf({"run", "--width", "--json"}, "width"), "--json");
    EXPECT_EQ(ValueOf({"run"}, "width"), "(none)");
    EXPECT_EQ(Parse({"run", "--width"}).status, kExitUsage);
    EXPECT_EQ(Parse({"run", "--json=yes"}).status, kExitUsage);
}

TEST(CliParse, OperandsKeepTheirOrderAndDoubleDashEndsOptions) {
    Parsed parsed = Parse({"a", "--json", "run"});
    EXPECT_EQ(parsed.status, kExitUsage);  // "a" is taken as the command word
    parsed = Parse({"run", "a", "--json", "-", "b", "-3", "--", "--width", "-x"});
    ASSERT_EQ(parsed.status, kExitOk);
    EXPECT_EQ(parsed.args.command, 0);
    EXPECT_TRUE(parsed.args.given[0]);
    EXPECT_FALSE(parsed.args.given[1]);
    EXPECT_EQ(parsed.operands, (std::vector<std::string>{"a", "-", "b", "-3", "--width", "-x"}));
}

std::string HelpOf(int command) {
    char text[4096] = "";
    FILE *file = tmpfile();
    if (file == nullptr) return "(no temporary file)";
    CliPrintHelp(kTest, command, file);
    rewind(file);
    size_t n = fread(text, 1, sizeof text - 1, file);
    fclose(file);
    return std::string(text, n);
}

TEST(CliHelp, ACommandsHelpHasItsOptionsDefaultsAndUnitsOnly) {
    std::string run = HelpOf(0);
    EXPECT_NE(run.find("usage: test run [--json] [--width W] FILE...\n"), std::string::npos) << run;
    EXPECT_NE(run.find("the width (default: 1024; unit: pixels)"), std::string::npos) << run;
    EXPECT_NE(run.find("-h, --help"), std::string::npos) << run;
    std::string show = HelpOf(1);
    EXPECT_EQ(show.find("--width"), std::string::npos) << show;
    std::string program = HelpOf(-1);
    EXPECT_NE(program.find("test 9: a test\n"), std::string::npos) << program;
    EXPECT_NE(program.find("       test --help | --version\n"), std::string::npos) << program;
    EXPECT_NE(program.find("Exit status: 0 success; 1 failed; 2 usage.\n"), std::string::npos) << program;
}

TEST(CliWholeNumber, OnlyASignAndDigitsWithinTheRange) {
    int64_t value = 0;
    EXPECT_TRUE(CliWholeNumber("33", 0, 100, &value));
    EXPECT_EQ(value, 33);
    EXPECT_TRUE(CliWholeNumber("-2147483648", INT32_MIN, INT32_MAX, &value));
    EXPECT_EQ(value, INT32_MIN);
    EXPECT_TRUE(CliWholeNumber("+7", 0, 100, &value));
    for (const char *bad : {"", "-", " 33", "33 ", "0x10", "1.5", "1e3", "101", "-1", "99999999999999999999"}) {
        EXPECT_FALSE(CliWholeNumber(bad, 0, 100, &value)) << "'" << bad << "'";
    }
}

// lutctl's tables through its parser. The options point into argv, which a
// program keeps for its whole run: the words are kept here as long.
int CtlParse(const std::vector<std::string> &words, CtlOptions &options) {
    static std::list<std::string> kept;
    std::vector<char *> argv = {const_cast<char *>("lutctl")};
    for (const std::string &word : words) argv.push_back(kept.emplace_back(word).data());
    bool answered = false;
    int status = ParseOptions(static_cast<int>(argv.size()), argv.data(), options, &answered);
    return answered ? -1 : status;
}

TEST(CtlParse, SettingsAreLookedUpInTheirRows) {
    CtlOptions options;
    ASSERT_EQ(CtlParse({"set", "reg1", "-3"}, options), kExitOk);
    ASSERT_NE(options.setting, nullptr);
    EXPECT_STREQ(options.setting->word, "reg1");
    EXPECT_EQ(options.value, -3);
    ASSERT_EQ(CtlParse({"--json", "set", "source", "hdmi"}, options), kExitOk);
    EXPECT_STREQ(options.setting->word, "source");
    EXPECT_EQ(options.value, 3);
    EXPECT_TRUE(options.json);
    EXPECT_EQ(CtlParse({"set", "source", "HDMI_SDI"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"set", "reg3", "2147483648"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"set", "gain", "1"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"set", "mode"}, options), kExitUsage);
}

TEST(CtlParse, TheDecidedCasesHoldForLutctl) {
    CtlOptions options;
    EXPECT_EQ(CtlParse({"-h"}, options), -1);
    EXPECT_EQ(CtlParse({"load", "-h"}, options), -1);
    EXPECT_EQ(CtlParse({"-x", "info"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"info", "-x"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"--json", "info", "--json"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"info", "--verify"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"info", "extra"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"erase-luts"}, options), kExitUsage);
    EXPECT_EQ(CtlParse({"--lang", "fr", "info"}, options), kExitUsage);
    ASSERT_EQ(CtlParse({"selftest", "--leds=skip", "--lang", "zh", "--station", "line 7"}, options), kExitOk);
    EXPECT_EQ(options.command, kCmdSelftest);
    EXPECT_EQ(options.leds, kLedsSkip);
    EXPECT_EQ(options.language, kLanguageChinese);
    EXPECT_STREQ(options.station, "line 7");
    EXPECT_EQ(CtlParse({"selftest", "--station", std::string(kMaxStationBytes + 1, 's')}, options), kExitUsage);
    ASSERT_EQ(CtlParse({"load", "--", "-file.cube"}, options), kExitOk);
    EXPECT_STREQ(options.file, "-file.cube");
}

std::string Json(void (*write)(JsonObject &object)) {
    char text[512];
    Sink sink = BufferSink(text, sizeof text);
    JsonObject object = JsonBegin(sink);
    write(object);
    JsonEnd(object);
    return sink.overflow ? "(overflow)" : text;
}

TEST(JsonRecord, NumbersJsonCannotHoldAreNull) {
    EXPECT_EQ(Json([](JsonObject &o) {
                  JsonNumber(o, "nan", std::nan(""));
                  JsonNumber(o, "inf", HUGE_VAL);
                  JsonNumber(o, "minus_inf", -HUGE_VAL);
                  JsonNumber(o, "float", static_cast<double>(0.1f));
                  JsonNumber(o, "zero", -0.0);
              }),
              "{\"nan\": null, \"inf\": null, \"minus_inf\": null, \"float\": 0.100000001, \"zero\": -0}\n");
}

TEST(JsonRecord, TextsAreEscapedBoundedAndNested) {
    EXPECT_EQ(Json([](JsonObject &o) {
                  JsonText(o, "q", "a\"b\\c\n\x01\x7f");
                  JsonText(o, "cut", "abcdef", 3);
                  JsonText(o, "bad", "\xff\xc3(");
                  JsonText(o, "utf8", "\xe5\x8e\x82");
                  JsonKey(o, "list");
                  JsonObject list = JsonArrayBegin(*o.sink);
                  JsonItem(list);
                  JsonNumberValue(*o.sink, 1);
                  JsonItem(list);
                  JsonObject inner = JsonBegin(*o.sink);
                  JsonBool(inner, "ok", true);
                  JsonNull(inner, "none");
                  JsonClose(inner);
                  JsonArrayEnd(list);
              }),
              "{\"q\": \"a\\\"b\\\\c\\u000a\\u0001\\u007f\", \"cut\": \"abc\", \"bad\": \"\\ufffd\\ufffd(\", "
              "\"utf8\": \"\xe5\x8e\x82\", \"list\": [1, {\"ok\": true, \"none\": null}]}\n");
}

TEST(JsonRecord, AFullBufferIsAnOverflowNotAnOverrun) {
    char text[8] = {0, 0, 0, 0, 0, 0, 0, 'X'};
    Sink sink = BufferSink(text, 7);
    JsonObject object = JsonBegin(sink);
    JsonText(object, "key", "value");
    EXPECT_TRUE(sink.overflow);
    EXPECT_LT(sink.length, 7u);
    EXPECT_EQ(text[7], 'X');
}

std::string Csv(const char *field, size_t maxBytes = SIZE_MAX) {
    char text[128];
    Sink sink = BufferSink(text, sizeof text);
    CsvField(sink, field, maxBytes);
    return text;
}

TEST(CsvRecord, FieldsAreQuotedWhereAReaderWouldMisreadThem) {
    EXPECT_EQ(Csv("KX3D-2611"), "KX3D-2611");
    EXPECT_EQ(Csv(""), "");
    EXPECT_EQ(Csv("a,b"), "\"a,b\"");
    EXPECT_EQ(Csv("say \"hi\""), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(Csv("two\nlines"), "\"two\nlines\"");
    EXPECT_EQ(Csv("cr\r"), "\"cr\r\"");
    EXPECT_EQ(Csv(" lead"), "\" lead\"");
    EXPECT_EQ(Csv("trail "), "\"trail \"");
    // A tab is a blank that readers trim as well.
    EXPECT_EQ(Csv("\tlead"), "\"\tlead\"");
    EXPECT_EQ(Csv("trail\t"), "\"trail\t\"");
    EXPECT_EQ(Csv("in\tside"), "in\tside");
    // Bounded: a reply need not be terminated within its buffer.
    EXPECT_EQ(Csv("abc ,def", 4), "\"abc \"");
}

}  // namespace
