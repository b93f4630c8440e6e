<?php
// Router for the test web server of public_ip_e2e.sh (`php -S ... -t
// <checkout> public_ip_server.php`). Logs every request as
// "METHOD URI<TAB>User-Agent" and answers as the file "mode" in
// WK_PAGE_DIR says: "page" serves the shipped public/stuff/showIP.php,
// "empty" an empty body, "nokey" a page without "IP: ".
$dir = getenv('WK_PAGE_DIR');
file_put_contents("$dir/requests.log",
    $_SERVER['REQUEST_METHOD'] . ' ' . $_SERVER['REQUEST_URI'] . "\t"
    . ($_SERVER['HTTP_USER_AGENT'] ?? '') . "\n",
    FILE_APPEND | LOCK_EX);

$mode = trim((string) @file_get_contents("$dir/mode")) ?: 'page';
header('Cache-Control: no-store');
if ($_SERVER['REQUEST_URI'] !== '/public/stuff/showIP.php') {
    http_response_code(404);
    echo 'Not here<br>';
    return true;
}
switch ($mode) {
    case 'empty':
        return true;
    case 'nokey':
        echo 'at 10.9.8.7<br>';
        return true;
    default:
        return false;  // the built-in server runs the shipped page itself
}
