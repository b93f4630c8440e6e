<?php
// Router of namespaces_e2e.sh's test server: logs "METHOD URI<TAB>User-Agent" and answers as
// WK_PAGE_DIR/mode says: "page" (the shipped page), "empty" (no body), "nokey" (no "IP: "),
// "badaddress" (an address that is not four numbers 0 to 255), "silent" (accepts, reads the request,
// says nothing for 30 s and then serves the page: a lookup that waits so long shows the address).
$dir = getenv('WK_PAGE_DIR');
file_put_contents("$dir/requests.log", "$_SERVER[REQUEST_METHOD] $_SERVER[REQUEST_URI]\t"
    . ($_SERVER['HTTP_USER_AGENT'] ?? '') . "\n", FILE_APPEND | LOCK_EX);
header('Cache-Control: no-store');
$mode = trim((string) @file_get_contents("$dir/mode"));
if ($mode === 'silent')
    sleep(30);
if ($mode === 'nokey')
    echo 'at 10.9.8.7<br>';
if ($mode === 'badaddress')
    echo 'Your IP: 999.999.1.1<br>';
return in_array($mode, ['empty', 'nokey', 'badaddress'], true);  // false: the server runs the requested page
