#include "reports/Stampe.h"

#include "shell/Principale.h"

namespace reports {

void InstallaStampe() { shell::Stampe().StampaCalcoloPdf = StampaCalcoloPdf; }

}  // namespace reports
