#pragma once
// The program-wide list of channel numbers and their centre frequencies in kHz, as the scan
// list reports them. Channels 208, 212 and 216 stand for the Japanese J8, J12 and J16.

#include "platform/Windows.h"

#define CHANNEL_FREQUENCY_ROWS 49

struct CHANNEL_FREQUENCY
{
    INT nChannel;
    INT nFrequency; // kHz
};

struct CHANNEL_FREQUENCY_TABLE
{
    INT nCount;
    CHANNEL_FREQUENCY Rows[CHANNEL_FREQUENCY_ROWS];
};
static_assert(sizeof(CHANNEL_FREQUENCY_TABLE) == 4 + 49 * 8);

// Rows 47-49 (the J channels) are stored empty: CompleteChannelFrequencyTable fills them and
// each program calls it during start, before its first window, so every reader sees 49 rows.
extern CHANNEL_FREQUENCY_TABLE ChannelFrequencyTable;

// Safe to call more than once.
void CompleteChannelFrequencyTable();

// First row from the top whose channel (frequency) equals the argument. 0 when none does: the
// caller then applies its own default (an empty column, channel 1, ...).
INT ChannelToFrequency(INT nChannel);
INT FrequencyToChannel(INT nFrequency);
