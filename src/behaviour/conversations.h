#pragma once
// Everything a ped can say or act out in a conversation: the blocking
// `Conversation` family, the asynchronous one advanced by the frame's runner,
// and `playSpeech`.
#include "behaviour/async_conversation.h"
#include "behaviour/conversation.h"
#include "behaviour/speech.h"
