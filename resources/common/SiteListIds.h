#pragma once
// The icons of the site list control, in its image order: each program that shows the list
// registers them under these numbers.

#define IDI_SITE_LIST_0 173
#define IDI_SITE_LIST_1 237
#define IDI_SITE_LIST_2 238
