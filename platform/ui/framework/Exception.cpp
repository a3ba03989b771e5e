#include "platform/ui/framework/Exception.h"

IMPLEMENT_DYNAMIC(CException, CObject)
IMPLEMENT_DYNAMIC(CUserException, CException)

void AfxThrowUserException()
{
    throw CUserException();
}
