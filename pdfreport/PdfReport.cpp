#include "pdfreport/PdfReport.h"

#include <new>
#include <string>

#include "pdfreport/ReportDocument.h"
#include "pdfreport/ReportFields.h"
#include "pdfreport/ReportFile.h"
#include "platform/base/Win32Error.h"
#include "platform/kernel/Clock.h"

namespace {

HRESULT WriteReport(const unsigned char* report, const CString& fileName, const CString& comment, LONG code) {
    if (!report || code != CPdfReport::kVerificationReport)
        return HRESULT_FROM_WIN32(ERROR_INVALID_PARAMETER);
    const CReportFile file(fileName.GetString());
    // Refused targets cost no layout.
    if (HRESULT hr = file.CheckTarget(); FAILED(hr))
        return hr;
    // The process's clock dates the report, so runs on the virtual clock repeat byte for byte.
    SYSTEMTIME local{}, utc{};
    GetLocalTime(&local);
    GetSystemTime(&utc);
    const CReportFields fields(report);
    std::string pdf;
    if (HRESULT hr = CReportDocument(fields, comment.GetString(), local, utc).Render(&pdf); FAILED(hr))
        return hr;
    return file.Write(pdf);
}

} // namespace

int CPdfReport::CreateReport(unsigned char* report, CString fileName, CString comment, LONG code) {
    HRESULT hr = E_FAIL;
    // Nothing may escape into the caller's module.
    try {
        hr = WriteReport(report, fileName, comment, code);
    } catch (const std::bad_alloc&) {
        hr = E_OUTOFMEMORY;
    } catch (...) {
        hr = E_UNEXPECTED;
    }
    if (SUCCEEDED(hr)) {
        SetLastError(ERROR_SUCCESS);
        return 1;
    }
    SetLastError(HRESULT_FACILITY(hr) == FACILITY_WIN32 ? HRESULT_CODE(hr) : ERROR_INVALID_DATA);
    return 0;
}
