#include "map/CMapTokenizer.h"

#include "TestSupport.h"

#include <gtest/gtest.h>

namespace {

struct Token {
    std::string text;
    int line;
    friend bool operator==(const Token&, const Token&) = default;
};

std::vector<Token> AllTokens(std::string_view text, CRecordingDiagnostics& diagnostics) {
    CMapTokenizer tokenizer(text, diagnostics);
    std::vector<Token> tokens;
    while (tokenizer.GetToken(false))
        tokens.push_back({tokenizer.Token(), tokenizer.Line()});
    return tokens;
}

std::vector<std::string> Texts(const std::vector<Token>& tokens) {
    std::vector<std::string> texts;
    for (const Token& token : tokens)
        texts.push_back(token.text);
    return texts;
}

} // namespace

TEST(CMapTokenizer, SplitsAtEveryByteUpTo32AndAtHighBytes) {
    CRecordingDiagnostics diagnostics;
    auto tokens = AllTokens("a\tb\x1f"
                            "c\x80"
                            "d\xff"
                            "e\r\f{ (8 ) }",
                            diagnostics);
    EXPECT_EQ(Texts(tokens),
              (std::vector<std::string>{"a", "b", "c", "d", "e", "{", "(8", ")", "}"}));
    // Tab, carriage return and form feed are ordinary blanks; 0x1f is not.
    EXPECT_EQ(diagnostics.Messages(),
              std::vector<std::string>{"Control character 0x1F is read as a blank\n"});
}

TEST(CMapTokenizer, CountsLineFeedsIncludingTheOnesEndingComments) {
    CRecordingDiagnostics diagnostics;
    auto tokens =
        AllTokens("// header\r\none // trailing\r\n\r\ntwo//not-a-comment\nthree", diagnostics);
    EXPECT_EQ(tokens, (std::vector<Token>{{"one", 1}, {"two//not-a-comment", 3}, {"three", 4}}));
}

TEST(CMapTokenizer, QuotedTokensAreVerbatimAndDoNotCountTheirLineFeeds) {
    CRecordingDiagnostics diagnostics;
    auto tokens = AllTokens("\"a b\n// c\"\"next\" x\"y\" \"\"", diagnostics);
    EXPECT_EQ(tokens, (std::vector<Token>{{"a b\n// c", 0}, {"next", 0}, {"x\"y\"", 0}, {"", 0}}));
}

// A NUL used to end the text, so a save dropped everything after it.
TEST(CMapTokenizer, NulBytesAreBlanksReportedOncePerLine) {
    using namespace std::string_literals;
    CRecordingDiagnostics diagnostics;
    auto tokens = AllTokens("\0one\0two\0\0\n\"th\0ree\"\nfour\0"s, diagnostics);
    EXPECT_EQ(tokens, (std::vector<Token>{{"one", 0}, {"two", 0}, {"th ree", 1}, {"four", 2}}));
    ASSERT_EQ(diagnostics.m_entries.size(), 3u);
    for (int line = 0; line < 3; ++line) {
        EXPECT_EQ(diagnostics.m_entries[line].line, line);
        EXPECT_EQ(diagnostics.m_entries[line].message,
                  "Control character 0x00 is read as a blank\n");
    }
}

TEST(CMapTokenizer, SameLineTokenPastLineFeedsAndCommentsReportsEachOne) {
    CRecordingDiagnostics diagnostics;
    CMapTokenizer tokenizer("key\n\n// note\nvalue", diagnostics);
    ASSERT_TRUE(tokenizer.GetToken(false));
    ASSERT_TRUE(tokenizer.GetToken(true));
    EXPECT_STREQ(tokenizer.Token(), "value");
    EXPECT_EQ(tokenizer.Line(), 3);
    ASSERT_EQ(diagnostics.m_entries.size(), 3u);
    EXPECT_EQ(diagnostics.m_entries[0].line, 0);
    EXPECT_EQ(diagnostics.m_entries[1].line, 1);
    EXPECT_EQ(diagnostics.m_entries[2].line, 2);
    for (const auto& entry : diagnostics.m_entries)
        EXPECT_EQ(entry.message, "Line is incomplete.\n");
}

TEST(CMapTokenizer, EndOfTextKeepsThePreviousTokenAndReportsASameLineRequest) {
    CRecordingDiagnostics diagnostics;
    CMapTokenizer tokenizer("last", diagnostics);
    ASSERT_TRUE(tokenizer.GetToken(false));
    EXPECT_FALSE(tokenizer.GetToken(false));
    EXPECT_TRUE(diagnostics.m_entries.empty());
    EXPECT_FALSE(tokenizer.GetToken(true));
    EXPECT_STREQ(tokenizer.Token(), "last");
    EXPECT_EQ(diagnostics.Messages(), std::vector<std::string>{"Line is incomplete.\n"});
}

TEST(CMapTokenizer, LongTokensKeepTheir1023FirstCharacters) {
    for (const std::string& quote : {std::string(), std::string("\"")}) {
        CRecordingDiagnostics diagnostics;
        std::string text = quote + std::string(1023, 'a') + quote + " " + quote +
                           std::string(1024, 'b') + "cc" + quote + " next";
        auto tokens = AllTokens(text, diagnostics);
        ASSERT_EQ(tokens.size(), 3u);
        EXPECT_EQ(tokens[0].text, std::string(1023, 'a'));
        EXPECT_EQ(tokens[1].text, std::string(1023, 'b'));
        EXPECT_EQ(tokens[2].text, "next");
        EXPECT_EQ(diagnostics.Messages(), std::vector<std::string>{"Token is too large\n"});
    }
}

TEST(CMapTokenizer, QuotedTokenCutByTheEndOfTheText) {
    CRecordingDiagnostics diagnostics;
    auto tokens = AllTokens("\"open ended\nvalue", diagnostics);
    EXPECT_EQ(Texts(tokens), std::vector<std::string>{"open ended\nvalue"});
    EXPECT_EQ(diagnostics.Messages(), std::vector<std::string>{"EOF is inside the quoted token\n"});
}

// The token buffer is reused: a quoted token cut short must not end in what a
// longer token before it left there.
TEST(CMapTokenizer, QuotedTokenCutByTheEndOfTheTextHoldsOnlyWhatWasRead) {
    CRecordingDiagnostics diagnostics;
    auto tokens = AllTokens("\"a much longer token\" \"cut", diagnostics);
    EXPECT_EQ(Texts(tokens), (std::vector<std::string>{"a much longer token", "cut"}));
    EXPECT_EQ(diagnostics.Messages(), std::vector<std::string>{"EOF is inside the quoted token\n"});
    diagnostics.m_entries.clear();
    tokens = AllTokens("\"a much longer token\" \"", diagnostics);
    EXPECT_EQ(Texts(tokens), (std::vector<std::string>{"a much longer token", ""}));
}

TEST(CMapTokenizer, ShortTokensAfterOtherBlanksAndAtTheVeryEnd) {
    CRecordingDiagnostics diagnostics;
    // Tabs and carriage returns before a token; tokens shorter and longer
    // than the text left after them.
    const std::string text = "a\t\tbb \r\n\t ccc_is_longer_than_sixteen\r\n \td\te";
    EXPECT_EQ(AllTokens(text, diagnostics),
              (std::vector<Token>{
                  {"a", 0}, {"bb", 0}, {"ccc_is_longer_than_sixteen", 1}, {"d", 2}, {"e", 2}}));
    EXPECT_TRUE(diagnostics.m_entries.empty());
}
