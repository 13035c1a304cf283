// The sponsor picture: an advertisement of a fictitious tea merchant.
#pragma once

#include "Image.h"

namespace art {

// The sponsor's web address, host name and name, as the picture shows them.
extern const char* const kSponsorName;
extern const char* const kSponsorHost;
extern const char* const kSponsorAddress;

// The 600 x 450 advertisement. The lower right corner, where the sponsor
// window's close button lies, holds only background.
Image sponsorPicture();

}  // namespace art
