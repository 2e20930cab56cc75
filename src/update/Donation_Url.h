#pragma once
#include <string>

// The donation page: "https://" + host + "/cgi-bin/webscr?" followed by "cmd=_donations",
// "business=" + account, "lc=FR", "no_note=0", "currency_code=EUR" and
// "bn=PP%2dDonationsBF%3abtn_donateCC_LG%2egif%3aNonHostedGuest", joined by "&" in this order.
// The account is written as it is, except that characters which would end or corrupt the query
// value (anything but letters, digits and - . _ ~ @) are percent-encoded.
std::string Donation_Url(const std::string& host, const std::string& account);

// The same with the host and account this program was built with (TAMBREL_MAKER_HOST,
// TAMBREL_DONATION_ACCOUNT).
std::string Donation_Url();

// The maker's host this program was built with (TAMBREL_MAKER_HOST).
std::string Maker_Host();
