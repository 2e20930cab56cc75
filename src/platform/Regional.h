#pragma once

// The decimal separator of the user's regional settings (LC_NUMERIC / LANG, as the
// desktop reports them), read afresh at each call: "." or "," usually.
char Regional_Decimal_Separator();
