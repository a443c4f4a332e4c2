// components/XmlScannerComps.cpp
#include "components/XmlScannerComps.h"

namespace XmlScannerComps {

void TSimpleXmlScanner::WhenCData(const AnsiString& Content)
{
    WhenContent(Content);
}

} // namespace XmlScannerComps
