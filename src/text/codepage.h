// The lead bytes of the ANSI code page in force in this process.
#pragma once

#include "text/dbcs.h"

const LeadBytes &ActiveLeadBytes();
