#include "framework/CDocument.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CPlainDocument : public CDocument {
public:
    bool OnOpenDocument(const std::string&) override { return true; }
    bool OnSaveDocument(const std::string&) override { return true; }
};

class CRecordingView : public CDocumentObserver {
public:
    CRecordingView(std::vector<int>& log, int id) : m_log(log), m_id(id) {}
    void OnDocumentUpdate(UpdateHint hint, void*) override { m_log.push_back(m_id * 100 + hint); }

private:
    std::vector<int>& m_log;
    int m_id;
};

} // namespace

TEST(CDocument, NotifiesEveryViewInOrderUntilRemoved) {
    CPlainDocument doc;
    std::vector<int> log;
    CRecordingView first(log, 1), second(log, 2);
    doc.AddView(&first);
    doc.AddView(&second);
    doc.UpdateAllViews(4);
    doc.RemoveView(&first);
    doc.UpdateAllViews(0);
    EXPECT_EQ(log, (std::vector<int>{104, 204, 200}));
}

TEST(CDocument, NewDocumentClearsTheModifiedFlag) {
    CPlainDocument doc;
    doc.SetModifiedFlag();
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(doc.OnNewDocument());
    EXPECT_FALSE(doc.IsModified());
}
