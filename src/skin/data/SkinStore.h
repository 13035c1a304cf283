// The stored form of a skin in a window definition: the raw-bytes property
// "SkinStream", whose payload is a signed 32-bit little-endian StoreSize N
// followed by N bytes of skin file. N <= 0 means that no skin is stored.
#pragma once

#include "ui/Streams.h"

// Reads a payload into Store. True when a skin was read; false, with Store
// left as it was, when the size is <= 0 or the payload is shorter than the
// size it announces.
bool ReadSkinStorePayload(TStream& Payload, TMemoryStream& Store);
// Writes Store as a payload: its size, then its bytes when there are any.
void WriteSkinStorePayload(TStream& Payload, TMemoryStream& Store);
