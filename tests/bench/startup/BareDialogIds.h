// Resource ids of the start-up baseline dialog.
#pragma once

#define kBareDialogId 100
