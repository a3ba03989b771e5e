#include "machine/desktop/PeerCredentials.h"

#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cstring>

namespace machine::desktop::detail
{
namespace
{

std::atomic<bool> g_pretending{false};
std::atomic<uid_t> g_pretendedUser{0};

} // namespace

uid_t OwnUser()
{
    return g_pretending ? g_pretendedUser.load() : ::geteuid();
}

void PretendOwnUserForTest(std::optional<uid_t> user)
{
    g_pretendedUser = user.value_or(0);
    g_pretending = user.has_value();
}

bool RestrictSocketFile(const std::filesystem::path& path)
{
    return ::chmod(path.c_str(), 0600) == 0;
}

bool StreamPeerIsOwnUser(int fd)
{
    ucred peer{};
    socklen_t size = sizeof peer;
    if (::getsockopt(fd, SOL_SOCKET, SO_PEERCRED, &peer, &size) != 0 || size != sizeof peer)
        return false;
    return peer.uid == OwnUser();
}

bool PassSenderCredentials(int fd)
{
    int on = 1;
    return ::setsockopt(fd, SOL_SOCKET, SO_PASSCRED, &on, sizeof on) == 0;
}

ssize_t ReceiveDatagram(int fd, void* buffer, std::size_t size, bool& fromOwnUser)
{
    fromOwnUser = false;
    iovec data{buffer, size};
    alignas(cmsghdr) char control[CMSG_SPACE(sizeof(ucred))];
    msghdr message{};
    message.msg_iov = &data;
    message.msg_iovlen = 1;
    message.msg_control = control;
    message.msg_controllen = sizeof control;
    ssize_t got = ::recvmsg(fd, &message, MSG_DONTWAIT | MSG_TRUNC);
    if (got < 0)
        return got;
    for (cmsghdr* c = CMSG_FIRSTHDR(&message); c != nullptr; c = CMSG_NXTHDR(&message, c))
    {
        if (c->cmsg_level == SOL_SOCKET && c->cmsg_type == SCM_CREDENTIALS &&
            c->cmsg_len == CMSG_LEN(sizeof(ucred)))
        {
            ucred sender{};
            std::memcpy(&sender, CMSG_DATA(c), sizeof sender);
            fromOwnUser = sender.uid == OwnUser();
        }
    }
    return got;
}

} // namespace machine::desktop::detail
