// Lays out one verification report on one or two A4 pages with cairo and gives the
// bytes of the PDF. Text is set in DejaVu Sans, so a reader can search and copy it.
#pragma once

#include <string>

#include "pdfreport/ReportFields.h"
#include "platform/base/HResult.h"
#include "platform/kernel/Clock.h"

class CReportDocument {
public:
    // `writtenLocal` is printed on the report; `createdUtc` dates the document itself,
    // so that the same report written at the same time gives the same bytes.
    CReportDocument(const CReportFields& fields, std::wstring comment, const SYSTEMTIME& writtenLocal,
                    const SYSTEMTIME& createdUtc);

    HRESULT Render(std::string* pdf) const;

private:
    const CReportFields& m_fields;
    std::wstring m_comment;
    SYSTEMTIME m_writtenLocal;
    SYSTEMTIME m_createdUtc;
};
