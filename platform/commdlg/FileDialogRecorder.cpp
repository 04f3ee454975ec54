#include "platform/commdlg/FileDialogRecorder.h"

CFileDialogRecorder& CFileDialogRecorder::Instance() {
    static CFileDialogRecorder recorder;
    return recorder;
}

bool CFileDialogRecorder::TakeAnswer(std::optional<std::wstring>* answer) {
    if (m_answers.empty())
        return false;
    *answer = std::move(m_answers.front());
    m_answers.pop_front();
    return true;
}

void CFileDialogRecorder::Clear() {
    m_answers.clear();
    m_records.clear();
}
