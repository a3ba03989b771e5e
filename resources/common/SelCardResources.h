#pragma once
// The adapter selection dialog's template, registered by each program that shows it.

void RegisterSelCardTemplate();
