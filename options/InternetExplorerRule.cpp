#include "InternetExplorerRule.h"

#include <QStringList>

bool InternetExplorerRuns(const WindowsFacts &facts)
{
    bool isNumber = false;
    const uint build = facts.CurrentBuildNumber.toUInt(&isNumber);
    if (!isNumber || build >= 22000)
        return false;
    static const QStringList longTermEditions{
        QStringLiteral("EnterpriseS"), QStringLiteral("EnterpriseSN"),
        QStringLiteral("IoTEnterpriseS"), QStringLiteral("EnterpriseSEval")};
    // Server Core says "Server Core", and has no browser at all.
    const bool notRetired =
        longTermEditions.contains(facts.EditionID) || facts.InstallationType == u"Server";
    return notRetired && !facts.InternetExplorerVersion.isEmpty();
}
