#include "framework/CDocument.h"

bool CDocument::OnNewDocument() {
    DeleteContents();
    m_modified = false;
    return true;
}
