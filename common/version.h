// The product's name, maker and version, stamped into all three programs by their resource
// scripts (common/version_info.rc): a release changes the numbers here and nowhere else.
// Plain #defines only: windres reads this file too.
#pragma once

#define TOPLEX_VERSION_MAJOR 1
#define TOPLEX_VERSION_MINOR 0
#define TOPLEX_VERSION_PATCH 0
#define TOPLEX_VERSION_BUILD 0

#define TOPLEX_PRODUCT_NAME "TOPLEX"
#define TOPLEX_COMPANY_NAME "MARVANE"
#define TOPLEX_COPYRIGHT "Copyright (C) 2026 MARVANE"

// The numbers as text: "1.0.0.0" for the version resource, "1.0" for people.
#define TOPLEX_TEXT_OF_(n) #n
#define TOPLEX_TEXT_OF(n) TOPLEX_TEXT_OF_(n)
#define TOPLEX_VERSION_SHORT TOPLEX_TEXT_OF(TOPLEX_VERSION_MAJOR) "." TOPLEX_TEXT_OF(TOPLEX_VERSION_MINOR)
#define TOPLEX_VERSION_TEXT \
  TOPLEX_VERSION_SHORT "." TOPLEX_TEXT_OF(TOPLEX_VERSION_PATCH) "." TOPLEX_TEXT_OF(TOPLEX_VERSION_BUILD)
