#include "framework/CDocument.h"

#include <gtest/gtest.h>

namespace {

class CPlainDocument : public CDocument {
public:
    bool OnOpenDocument(const std::string&, UserMessages&) override { return true; }
    bool OnSaveDocument(const std::string&, UserMessages&) override { return true; }
};

} // namespace

TEST(CDocument, NewDocumentClearsTheModifiedFlag) {
    CPlainDocument doc;
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
}
